#include "wavefile/dss_layout.h"

#include "dss_test/dss_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using wavefile::LayoutVerdict;

struct LayoutCase {
    const char* name;
    std::string bytes;
    LayoutVerdict verdict;
    const char* reason; // part of the reason; empty for a valid file
};

// CTest lists each case under its name.
void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

std::string Header(int version, int codec) {
    dss_test::DssShape shape;
    shape.version = version;
    shape.codec = static_cast<dss_test::Codec>(codec);
    return dss_test::DssHeader(shape);
}

std::string Blocks(std::size_t count) {
    return std::string(count * 512, '\x11');
}

std::string WithByte(std::string bytes, std::size_t at, char value) {
    bytes[at] = value;
    return bytes;
}

class DssLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DssLayoutTest, JudgesTheFile) {
    const LayoutCase& c = GetParam();
    const auto* start = reinterpret_cast<const unsigned char*>(c.bytes.data());
    const auto check = wavefile::CheckDssLayout(start, c.bytes.size(), c.bytes.size());
    EXPECT_EQ(check.verdict, c.verdict);
    EXPECT_NE(check.reason.find(c.reason), std::string::npos) << check.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DssLayoutTest,
    // The empty, the wave, the truncated and the header-only file are judged end to end by
    // Dictconv's own failure tests.
    ::testing::Values(
        LayoutCase{"LongPlayVersion3", Header(3, 2) + Blocks(1), LayoutVerdict::Valid, ""},
        LayoutCase{"ThreeBytes", "\2ds", LayoutVerdict::NotDss, "signature"},
        // A recorder family that writes version byte 6 before "dss": a variant, named by its
        // first bytes, not "not a DSS file".
        LayoutCase{"Version6Family", WithByte(Header(2, 0) + Blocks(1), 0, 6),
                   LayoutVerdict::Variant,
                   "a DSS variant this converter does not decode: it begins with 06 64 73 73"},
        LayoutCase{"UnknownCodec", WithByte(Header(3, 0) + Blocks(1), 0x2A4, 7),
                   LayoutVerdict::Variant, "it begins with 03 64 73 73 and names codec 7"},
        LayoutCase{"UpperCaseSignature", WithByte(Header(2, 0) + Blocks(1), 1, 'D'),
                   LayoutVerdict::NotDss, "signature"},
        LayoutCase{"HeaderCutShort", Header(2, 0).substr(0, 700), LayoutVerdict::Truncated,
                   "header is incomplete"},
        LayoutCase{"Version3HeaderOfVersion2", WithByte(Header(2, 0), 0, 3) + Blocks(0),
                   LayoutVerdict::Truncated, "header is incomplete"},
        LayoutCase{"OneByteOfAudio", Header(2, 2) + "x", LayoutVerdict::Truncated,
                   "inside a block"}));

} // namespace
