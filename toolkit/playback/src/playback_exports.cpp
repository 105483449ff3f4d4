// The playback exports and the one player of the library.
#include "Quiesc.h"
#include "common/guarded_export.h"
#include "common/message_sink.h"
#include "editing/selection.h"
#include "playback/memory_sound_player.h"
#include "textpack/string_ids.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

using playback::MemorySoundPlayer;

// Library-wide, like the rest of the toolkit's state: one call at a time, no lock.
std::unique_ptr<MemorySoundPlayer> player;

void reportDeviceResult(playback::DeviceResult result) {
    char text[257];
    playback::deviceText(result, text, sizeof text);
    char message[sizeof text + common::messageBufferSize];
    std::snprintf(message, sizeof message, common::loadText(TEXT_ID_PLAYBACK_FAILED), text);
    common::reportText(message);
}

// Opens the device and queues the selected samples; the last device result, 0 when playing.
playback::DeviceResult startPlaying(MemorySoundPlayer& device) {
    if (device.open() != 0) {
        reportDeviceResult(device.lastResult());
        return device.lastResult();
    }
    const editing::SampleRange range =
        editing::selectedRange(*device.selection(), *device.header());
    const uint32_t bytes = (range.end - range.start) * 2;
    if (device.write(device.samples() + range.start, bytes) != 0) {
        reportDeviceResult(device.lastResult());
    }
    return device.lastResult();
}

} // namespace

extern "C" QUIESC_API QcResult PlayMemorySound(const QcPlaybackNotifier* notifier,
                                               const SoundHeader* header, int16_t** body,
                                               const SoundSelection* selection) {
    return common::guardedExport(QC_PLAYBACK_FAILED, [&]() -> QcResult {
        if (editing::validateSelection(selection, header, body) != QC_OK) {
            return QC_SELECTION_INVALID;
        }
        if (player) {
            return QC_PLAYBACK_FAILED;
        }
        player.reset(new (std::nothrow) MemorySoundPlayer(notifier, header, *body, selection));
        if (!player) {
            common::reportOutOfMemory();
            return QC_PLAYBACK_FAILED;
        }
        if (startPlaying(*player) != 0) {
            CloseMemorySound();
            return QC_PLAYBACK_FAILED;
        }
        return QC_OK;
    });
}

extern "C" QUIESC_API void PauseMemorySound(void) {
    common::guardedExport([&] {
        if (player) {
            player->pause();
        }
    });
}

extern "C" QUIESC_API void StopMemorySound(void) {
    common::guardedExport([&] {
        if (player) {
            player->reset();
        }
    });
}

extern "C" QUIESC_API void CloseMemorySound(void) {
    common::guardedExport([&] {
        if (player) {
            player->close();
            player.reset();
        }
    });
}
