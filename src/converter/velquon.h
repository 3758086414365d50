/* The code converter: turns the encoded body of a captured infrared code into the stored form the
 * remote's memory holds.
 *
 * ConvertCode(text, mode)
 *  - text: the encoded capture less its five-character prefix (frame count, carrier figure), a
 *    zero-terminated 8-bit string; a null pointer converts to the empty text.
 *  - mode: 2 converts; every other mode returns the empty text.
 *  - result: "ID::P1:P2:::DATA" (identifier, the two parameter fields of 16 hexadecimal characters
 *    each, the slot's code data), or the empty text when the code cannot be converted. The text
 *    belongs to the library, in a buffer of the calling thread: it stays valid until the next
 *    call of ConvertCode on that same thread or the thread's end, and must not be freed.
 */
#ifndef QMV718_VELQUON_H
#define QMV718_VELQUON_H

#if defined(_WIN32)
#define VELQUON_CALL __stdcall
#if defined(VELQUON_BUILDING)
#define VELQUON_API __declspec(dllexport)
#else
#define VELQUON_API __declspec(dllimport)
#endif
#else
#define VELQUON_CALL
#define VELQUON_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define VELQUON_CONVERT_MODE 2

VELQUON_API const char* VELQUON_CALL ConvertCode(const char* text, int mode);

typedef const char*(VELQUON_CALL* VelquonConvertCode)(const char* text, int mode);

#ifdef __cplusplus
}
#endif

#endif
