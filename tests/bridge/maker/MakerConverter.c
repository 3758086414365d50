/* A code converter built the way the maker builds theirs (__stdcall, plain export name from a
 * module definition file). It answers "mode:text" from a buffer of its own. */
#include <stdio.h>

#include "MakerStyle.h"

MAKER_EXPORT const char* MAKER_CALL ConvertCode(const char* text, int mode)
{
    static char result[1024];
    snprintf(result, sizeof result, "%d:%s", mode, text ? text : "(null)");
    return result;
}
