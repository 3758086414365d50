/* Six of the seven operations: RCollectCodeInfo is missing on purpose. */
#define TAVRIO_BUILDING
#include "../../src/link/tavrio.h"

TAVRIO_API tavrio_bool TAVRIO_CALL link_state(void)
{
    return 1;
}
TAVRIO_API tavrio_bool TAVRIO_CALL ReadVersion(char* buffer)
{
    return buffer != 0;
}
TAVRIO_API tavrio_bool TAVRIO_CALL RBasicInfo(char* buffer)
{
    return buffer != 0;
}
TAVRIO_API tavrio_bool TAVRIO_CALL readdatav20(char* buffer, int count, const char* high, const char* low,
                                               const char* selector)
{
    return buffer && count && high && low && selector;
}
TAVRIO_API tavrio_bool TAVRIO_CALL writedatav20(const char* tag, const char* high, const char* low,
                                                const char* data)
{
    return tag && high && low && data;
}
TAVRIO_API tavrio_bool TAVRIO_CALL SetCodeCarrierWave(void)
{
    return 1;
}
