/* The remote-control link library: the seven operations through which every exchange with the
 * learning remote passes.
 *
 * Conventions shared by all operations:
 *  - the result is a one-byte truth value, non-zero meaning success;
 *  - text arguments are zero-terminated 8-bit strings;
 *  - a buffer argument is owned by the caller, zero-filled, and of the size the caller documents
 *    for that operation (the library writes at most that many bytes and adds no terminator of
 *    its own beyond what the size allows);
 *  - memory is exchanged as upper-case hexadecimal text, two characters per byte; an address is
 *    given as two two-character strings, high byte first.
 */
#ifndef QMV718_TAVRIO_H
#define QMV718_TAVRIO_H

#if defined(_WIN32)
#define TAVRIO_CALL __stdcall
#if defined(TAVRIO_BUILDING)
#define TAVRIO_API __declspec(dllexport)
#else
#define TAVRIO_API __declspec(dllimport)
#endif
#else
#define TAVRIO_CALL
#define TAVRIO_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned char tavrio_bool;

/* Buffer sizes, in bytes, that the callers pass. */
#define TAVRIO_VERSION_BUFFER 250
#define TAVRIO_BASICINFO_BUFFER 1024
#define TAVRIO_CAPTURE_BUFFER 10240
/* readdatav20 writes 16 characters per unit of 8 memory bytes. */
#define TAVRIO_CHARS_PER_UNIT 16

/* True while a remote is attached. */
TAVRIO_API tavrio_bool TAVRIO_CALL link_state(void);
/* The remote's version text; its first four characters are the version code. */
TAVRIO_API tavrio_bool TAVRIO_CALL ReadVersion(char* buffer);
/* The basic information; its first 30 characters identify the attached remote. */
TAVRIO_API tavrio_bool TAVRIO_CALL RBasicInfo(char* buffer);
/* Hexadecimal text of count x 8 memory bytes from the address; the selector is "08". */
TAVRIO_API tavrio_bool TAVRIO_CALL readdatav20(char* buffer, int count, const char* addressHigh,
                                               const char* addressLow, const char* selector);
/* Writes hexadecimal data from the address upward; the device tag is the remote's bank code. */
TAVRIO_API tavrio_bool TAVRIO_CALL writedatav20(const char* deviceTag, const char* addressHigh,
                                                const char* addressLow, const char* data);
/* Puts the remote into capture mode. */
TAVRIO_API tavrio_bool TAVRIO_CALL SetCodeCarrierWave(void);
/* True once a code has been received; the buffer then holds the captured code as text. */
TAVRIO_API tavrio_bool TAVRIO_CALL RCollectCodeInfo(char* buffer);

#ifdef __cplusplus
}
#endif

#endif
