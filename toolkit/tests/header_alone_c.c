/* Proves that the public header compiles alone as C, with the record layout callers rely on. */
#include "Quiesc.h"

#include <stddef.h>

_Static_assert(sizeof(SoundHeader) == 16, "SoundHeader is 16 bytes");
_Static_assert(offsetof(SoundHeader, formatTag) == 0, "formatTag at 0");
_Static_assert(offsetof(SoundHeader, sampleRate) == 4, "sampleRate at 4");
_Static_assert(offsetof(SoundHeader, sampleCount) == 8, "sampleCount at 8");
_Static_assert(offsetof(SoundHeader, bitsPerSample) == 12, "bitsPerSample at 12");
_Static_assert(sizeof(SoundSelection) == 16, "two doubles");

/* The layout as the C compiler sees it, for the C++ test to compare with. */
size_t quiescLayoutSeenByC(size_t field) {
    static const size_t layout[] = {
        sizeof(SoundHeader),
        offsetof(SoundHeader, formatTag),
        offsetof(SoundHeader, sampleRate),
        offsetof(SoundHeader, sampleCount),
        offsetof(SoundHeader, bitsPerSample),
        sizeof(SoundSelection),
        offsetof(SoundSelection, endSeconds),
        sizeof(QuiescenceParams),
        offsetof(QuiescenceParams, minLoudRun),
    };
    return field < sizeof layout / sizeof layout[0] ? layout[field] : (size_t)-1;
}

/* Every export is declared with a prototype a C caller can take the address of. */
const void* quiescExportsSeenByC(void) {
    static const void* const exports[] = {
        (const void*)&AllocateSoundBody,  (const void*)&FreeSoundBody,
        (const void*)&GetLastQcErrorText, (const void*)&SetQcParent,
        (const void*)&OpenSoundFile,      (const void*)&OpenSoundFileEx,
        (const void*)&SaveSoundFile,      (const void*)&SaveSoundFileEx,
    };
    return exports;
}
