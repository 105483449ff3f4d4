#include "call_plugin.h"
#include "format_code.h"

using quiesc::OptionsSource;

extern "C" QUIESC_API QcResult OpenSoundFile(const char* fileName, SoundHeader* header,
                                             int16_t** body) {
    return quiesc::callOpenPlugin(fileName, header, body, OptionsSource::TableRow) ? QC_OK
                                                                                   : QC_OPEN_FAILED;
}

extern "C" QUIESC_API QcResult OpenSoundFileEx(const char* fileName, SoundHeader* header,
                                               int16_t** body, uint32_t formatCode,
                                               uint32_t sampleRate) {
    quiesc::applyFormatCode(*header, formatCode, sampleRate);
    return quiesc::callOpenPlugin(fileName, header, body, OptionsSource::FreshRecord)
               ? QC_OK
               : QC_OPEN_FAILED;
}

extern "C" QUIESC_API QcResult SaveSoundFile(const char* fileName, SoundHeader* header,
                                             int16_t** body) {
    return quiesc::callSavePlugin(fileName, header, *body, OptionsSource::TableRow)
               ? QC_OK
               : QC_SAVE_FAILED;
}

extern "C" QUIESC_API QcResult SaveSoundFileEx(const char* fileName, SoundHeader* header,
                                               int16_t** body, uint32_t formatCode) {
    const SoundHeader kept = *header;
    quiesc::applyFormatCode(*header, formatCode, header->sampleRate);
    if (!quiesc::callSavePlugin(fileName, header, *body, OptionsSource::FreshRecord)) {
        *header = kept;
        return QC_SAVE_FAILED;
    }
    return QC_OK;
}
