/* Textpack: the resource library of the toolkit and the format plug-ins.
 * It holds every message text (a numbered string table) and shows messages and dialogs.
 * Plain C exports; safe to include from C and C++. Nothing is thrown out of an export: a failure
 * inside one gives its documented failure value (a message to show then goes to standard error). */
#ifndef TEXTPACK_TEXTPACK_H
#define TEXTPACK_TEXTPACK_H

#if defined(_WIN32)
#define TEXTPACK_API __declspec(dllexport)
#else
#define TEXTPACK_API __attribute__((visibility("default")))
#endif

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Links a library against Textpack so that it is loaded with it. Does nothing; returns 1. */
TEXTPACK_API int LoadResLib(void);

/* Copies string `id` into `buffer` (at most bufferSize - 1 characters and a terminator).
 * Returns the number of characters copied; an unknown id, a null buffer or a size below 1
 * copies nothing but the terminator (when there is room) and returns 0. */
TEXTPACK_API int TextpackLoadString(unsigned id, char* buffer, int bufferSize);

/* Shows `text` as a modal error message captioned `caption`: a critical message box, modal for
 * the whole application, where a Qt application object exists; otherwise the message goes to
 * standard error as "caption: text". Null texts count as empty. Never fails. */
TEXTPACK_API void TextpackShowError(const char* text, const char* caption);

/* The process's active top-level window (a QWidget*), or null when there is none or no Qt
 * application object exists. */
TEXTPACK_API void* TextpackActiveWindow(void);

/* Moves `window` (a QWidget*) so that it is centred on its screen, x = (screen width - window
 * width) / 2 and y likewise, truncating toward zero; its size and stacking are unchanged.
 * Returns 1, or 0 when `window` is not a live widget or there is no GUI. */
TEXTPACK_API int TextpackCentreWindow(void* window);

/* Dialogs from templates. A template is named ("VOXOPTIONS", "VOXABOUT", "WAVOPTIONS",
 * "WAVABOUT") and holds controls addressed by numeric ids: combo boxes 100 and 101 in the
 * options templates, and the buttons 1 (OK) and 2 (Cancel). */
typedef struct TextpackDialog TextpackDialog;

typedef enum TextpackDialogEvent {
    TEXTPACK_DIALOG_INIT = 1,   /* the controls exist, the dialog is not shown yet; id is 0 */
    TEXTPACK_DIALOG_COMMAND = 2 /* a button was pressed; id is its control id. Escape and the
                                   window's close box press 2 (Cancel) */
} TextpackDialogEvent;

/* Called on the caller's thread while the dialog runs. The dialog handle is valid only for the
 * duration of the call; `context` is the caller's pointer passed through unchanged. A dialog
 * closes only when the procedure calls TextpackEndDialog. */
typedef void (*TextpackDialogProc)(TextpackDialog* dialog, TextpackDialogEvent event, int controlId,
                                   void* context);

/* Shows template `templateName` modally, owned by `owner` (a QWidget* or null; a pointer that is
 * not a live widget counts as null), calls `proc` with TEXTPACK_DIALOG_INIT and then with every
 * command, and returns the result given to TextpackEndDialog. Returns 0 without calling `proc`
 * when the dialog cannot be shown: no Qt application object, an unknown template, or a null
 * `proc`. Must be called on the GUI thread. */
TEXTPACK_API intptr_t TextpackRunDialog(const char* templateName, void* owner,
                                        TextpackDialogProc proc, void* context);

/* Appends `text` (copied) to combo box `controlId`. Returns the new entry's index, or -1 when
 * the dialog has no such combo box or an argument is null. */
TEXTPACK_API int TextpackComboAdd(TextpackDialog* dialog, int controlId, const char* text);

/* Shows entry `index` of combo box `controlId`. Returns 1, or 0 when there is no such combo box
 * or no such entry (the selection is then unchanged). */
TEXTPACK_API int TextpackComboSelect(TextpackDialog* dialog, int controlId, int index);

/* The index of the entry combo box `controlId` shows, or -1 when it shows none or there is no
 * such combo box. */
TEXTPACK_API int TextpackComboSelection(TextpackDialog* dialog, int controlId);

/* Enables (non-zero) or disables (0) control `controlId`. Returns 1, or 0 when there is no such
 * control. */
TEXTPACK_API int TextpackEnableControl(TextpackDialog* dialog, int controlId, int enabled);

/* Closes the dialog once the current procedure call returns; TextpackRunDialog then returns
 * `result`. A null dialog is ignored. */
TEXTPACK_API void TextpackEndDialog(TextpackDialog* dialog, intptr_t result);

#ifdef __cplusplus
}
#endif

#endif
