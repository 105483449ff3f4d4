/* The public header compiles alone as C. */
#include "textpack/Textpack.h"

int textpackHeaderCompilesAsC(void) {
    TextpackDialogProc proc = 0;
    return proc == 0 && TEXTPACK_DIALOG_INIT == 1 && TEXTPACK_DIALOG_COMMAND == 2;
}
