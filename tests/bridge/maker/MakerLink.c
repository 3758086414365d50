/* A link library built the way the maker builds theirs: plain C, __stdcall, exported under the
 * plain names by a module definition file (no name@bytes decoration), no header of ours. It has
 * no remote behind it; each operation answers from its arguments so a test can see that every
 * argument and buffer crossed intact:
 *  - readdatav20 fills count units of 8 bytes, byte i being the low byte of address + i, as
 *    hexadecimal text, and refuses a selector other than "08";
 *  - writedatav20 keeps "tag|high|low|data", which RCollectCodeInfo then returns once
 *    SetCodeCarrierWave has armed it; a tag of "QUIT" ends the process, as a crashing library
 *    takes its process with it. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "MakerStyle.h"

typedef unsigned char BOOL8;

static char lastWrite[4096];
static int armed;

MAKER_EXPORT BOOL8 MAKER_CALL link_state(void)
{
    return 1;
}

MAKER_EXPORT BOOL8 MAKER_CALL ReadVersion(char* buffer)
{
    memcpy(buffer, "1020MAKER", 9);
    return 1;
}

MAKER_EXPORT BOOL8 MAKER_CALL RBasicInfo(char* buffer)
{
    memcpy(buffer, "MAKER-STYLE-REMOTE-0123456789AB", 30);
    return 1;
}

MAKER_EXPORT BOOL8 MAKER_CALL readdatav20(char* buffer, int count, const char* high, const char* low,
                                          const char* selector)
{
    unsigned address = (unsigned)(strtoul(high, NULL, 16) << 8 | strtoul(low, NULL, 16));
    int i;
    if (strcmp(selector, "08") != 0 || count <= 0)
        return 0;
    for (i = 0; i < count * 8; ++i) {
        char pair[3];
        snprintf(pair, sizeof pair, "%02X", (address + (unsigned)i) & 0xFFu);
        memcpy(buffer + 2 * i, pair, 2);
    }
    return 1;
}

MAKER_EXPORT BOOL8 MAKER_CALL writedatav20(const char* tag, const char* high, const char* low,
                                           const char* data)
{
    if (strcmp(tag, "QUIT") == 0)
        exit(3);
    if (strlen(tag) + strlen(high) + strlen(low) + strlen(data) + 4 > sizeof lastWrite)
        return 0;
    snprintf(lastWrite, sizeof lastWrite, "%s|%s|%s|%s", tag, high, low, data);
    return 1;
}

MAKER_EXPORT BOOL8 MAKER_CALL SetCodeCarrierWave(void)
{
    armed = 1;
    return 1;
}

MAKER_EXPORT BOOL8 MAKER_CALL RCollectCodeInfo(char* buffer)
{
    if (!armed)
        return 0;
    armed = 0;
    memcpy(buffer, lastWrite, strlen(lastWrite));
    return 1;
}
