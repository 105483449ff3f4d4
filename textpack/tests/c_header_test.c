/* The public headers compile alone as C. */
#include "textpack/Textpack.h"
#include "textpack/string_ids.h"

int textpackHeaderCompilesAsC(void) {
    TextpackDialogProc proc = 0;
    enum TextpackStringId id = TEXT_ID_CAPTION;
    return proc == 0 && TEXTPACK_DIALOG_INIT == 1 && TEXTPACK_DIALOG_COMMAND == 2 && id == 101;
}
