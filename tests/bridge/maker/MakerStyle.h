/* How the maker declares a library operation: __stdcall on Windows, exported by the module
 * definition file there (not by a declaration), visible by default elsewhere. */
#ifndef MAKER_STYLE_H
#define MAKER_STYLE_H

#if defined(_WIN32)
#define MAKER_CALL __stdcall
#define MAKER_EXPORT
#else
#define MAKER_CALL
#define MAKER_EXPORT __attribute__((visibility("default")))
#endif

#endif
