#include "call_plugin.h"
#include "common/guarded_export.h"
#include "format_code.h"

using quiesc::OptionsSource;

namespace {

// Puts the caller's header back unless the save succeeded, also when something escapes it.
class HeaderKeptUntilSaved {
public:
    explicit HeaderKeptUntilSaved(SoundHeader& header)
        : header_(header)
        , kept_(header) {}
    ~HeaderKeptUntilSaved() {
        if (!saved_) {
            header_ = kept_;
        }
    }
    HeaderKeptUntilSaved(const HeaderKeptUntilSaved&) = delete;
    HeaderKeptUntilSaved& operator=(const HeaderKeptUntilSaved&) = delete;

    void saved() { saved_ = true; }

private:
    SoundHeader& header_;
    const SoundHeader kept_;
    bool saved_ = false;
};

} // namespace

extern "C" QUIESC_API QcResult OpenSoundFile(const char* fileName, SoundHeader* header,
                                             int16_t** body) {
    return common::guardedExport(QC_OPEN_FAILED, [&]() -> QcResult {
        return quiesc::callOpenPlugin(fileName, header, body, OptionsSource::TableRow)
                   ? QC_OK
                   : QC_OPEN_FAILED;
    });
}

extern "C" QUIESC_API QcResult OpenSoundFileEx(const char* fileName, SoundHeader* header,
                                               int16_t** body, uint32_t formatCode,
                                               uint32_t sampleRate) {
    return common::guardedExport(QC_OPEN_FAILED, [&]() -> QcResult {
        quiesc::applyFormatCode(*header, formatCode, sampleRate);
        return quiesc::callOpenPlugin(fileName, header, body, OptionsSource::FreshRecord)
                   ? QC_OK
                   : QC_OPEN_FAILED;
    });
}

extern "C" QUIESC_API QcResult SaveSoundFile(const char* fileName, SoundHeader* header,
                                             int16_t** body) {
    return common::guardedExport(QC_SAVE_FAILED, [&]() -> QcResult {
        return quiesc::callSavePlugin(fileName, header, *body, OptionsSource::TableRow)
                   ? QC_OK
                   : QC_SAVE_FAILED;
    });
}

extern "C" QUIESC_API QcResult SaveSoundFileEx(const char* fileName, SoundHeader* header,
                                               int16_t** body, uint32_t formatCode) {
    return common::guardedExport(QC_SAVE_FAILED, [&]() -> QcResult {
        HeaderKeptUntilSaved kept(*header);
        quiesc::applyFormatCode(*header, formatCode, header->sampleRate);
        if (!quiesc::callSavePlugin(fileName, header, *body, OptionsSource::FreshRecord)) {
            return QC_SAVE_FAILED;
        }
        kept.saved();
        return QC_OK;
    });
}
