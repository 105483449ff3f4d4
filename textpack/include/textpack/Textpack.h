/* Textpack: the resource library of the toolkit and the format plug-ins.
 * It holds every message text (a numbered string table) and shows messages and dialogs.
 * Plain C exports; safe to include from C and C++. */
#ifndef TEXTPACK_TEXTPACK_H
#define TEXTPACK_TEXTPACK_H

#if defined(_WIN32)
#define TEXTPACK_API __declspec(dllexport)
#else
#define TEXTPACK_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Links a library against Textpack so that it is loaded with it. Does nothing; returns 1. */
TEXTPACK_API int LoadResLib(void);

/* Copies string `id` into `buffer` (at most bufferSize - 1 characters and a terminator).
 * Returns the number of characters copied; an unknown id, a null buffer or a size below 1
 * copies nothing but the terminator (when there is room) and returns 0. */
TEXTPACK_API int TextpackLoadString(unsigned id, char* buffer, int bufferSize);

/* Shows `text` as a modal error message captioned `caption`. Where no GUI application exists
 * in the process the message goes to standard error as "caption: text". Never fails. */
TEXTPACK_API void TextpackShowError(const char* text, const char* caption);

/* The process's active top-level window, or null when there is none (or no GUI). */
TEXTPACK_API void* TextpackActiveWindow(void);

#ifdef __cplusplus
}
#endif

#endif
