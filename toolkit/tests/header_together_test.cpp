// The toolkit's header and the plug-in contract both take SoundHeader from abi/sound_header.h,
// so a file may include both, in either order. This file includes the contract first; the
// toolkit's own sources include Quiesc.h first. A second definition would not compile.
#include "common/plugin_contract.h"

#include "Quiesc.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

// The header an open export fills is the one a plug-in entry point receives.
static_assert(
    std::is_same_v<decltype(&OpenSoundFileEx),
                   QcResult (*)(const char*, SoundHeader*, int16_t**, uint32_t, uint32_t)>);
static_assert(std::is_same_v<PluginOpenEntry,
                             uint8_t (*)(const char*, SoundHeader*, int16_t**, PluginOptions*)>);

TEST(PublicHeader, SharesSoundHeaderWithThePluginContract) {
    SoundHeader header{FORMAT_TAG_MULAW, 8000, 10, 8};
    EXPECT_EQ(header.formatTag, 7);
    EXPECT_EQ(sizeof header, 16u);
}

} // namespace
