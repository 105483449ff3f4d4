#include "common/message_sink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

// Each test points the sink at its own buffer, bordered by sentinels to catch overruns.
class MessageSinkTest : public testing::Test {
protected:
    static constexpr size_t guard = 64;
    char storage[common::messageBufferSize + guard];
    char* buffer = storage;

    void SetUp() override {
        std::memset(storage, '#', sizeof storage);
        buffer[0] = '\0';
        common::setMessageTarget(buffer);
    }
    std::string text() const { return buffer; }
    bool guardIntact() const {
        for (size_t i = common::messageBufferSize; i < sizeof storage; ++i) {
            if (storage[i] != '#') {
                return false;
            }
        }
        return true;
    }
};

TEST_F(MessageSinkTest, ReportTextAddsAFullStop) {
    EXPECT_FALSE(common::reportText("The file is empty"));
    EXPECT_EQ(text(), "The file is empty.");
}

TEST_F(MessageSinkTest, ReportWithNameQuotesTheFileName) {
    EXPECT_FALSE(common::reportWithName("C:\\Dict\\a b.wav", "Unexpected end of file"));
    EXPECT_EQ(text(), "Unexpected end of file (\"C:\\Dict\\a b.wav\").");
}

TEST_F(MessageSinkTest, MissingStringGivesOnlyThePunctuation) {
    EXPECT_STREQ(common::loadText(9999), "");
    common::reportWithName("x.wav", common::loadText(9999));
    EXPECT_EQ(text(), " (\"x.wav\").");
    common::reportText(common::loadText(9999));
    EXPECT_EQ(text(), ".");
}

TEST_F(MessageSinkTest, SystemErrorUsesTheTextOfErrno) {
    errno = ENOENT;
    EXPECT_FALSE(common::reportSystemError("missing.vox"));
    EXPECT_EQ(text(), std::string(std::strerror(ENOENT)) + " (\"missing.vox\").");
}

TEST_F(MessageSinkTest, OutOfMemoryAppendsToTheEarlierText) {
    common::reportText("earlier");
    EXPECT_FALSE(common::reportOutOfMemory());
    const std::string memory = common::loadText(115);
    ASSERT_FALSE(memory.empty());
    EXPECT_EQ(text(), "earlier." + memory);
    common::reportOutOfMemory();
    EXPECT_EQ(text(), "earlier." + memory + memory) << "two failures leave the text twice";
}

TEST_F(MessageSinkTest, LongMessagesAreCutAtTheBufferEnd) {
    const std::string longName(700, 'n');
    common::reportWithName(longName.c_str(), "text");
    EXPECT_EQ(text().size(), common::messageBufferSize - 1);
    EXPECT_EQ(text().substr(0, 8), "text (\"n");
    EXPECT_TRUE(guardIntact());
}

TEST_F(MessageSinkTest, OutOfMemoryNeverRunsPastAFullBuffer) {
    const std::string longText(600, 't');
    common::reportText(longText.c_str());
    ASSERT_EQ(text().size(), common::messageBufferSize - 1);
    common::reportOutOfMemory();
    EXPECT_EQ(text().size(), common::messageBufferSize - 1);
    EXPECT_TRUE(guardIntact());

    common::reportText(std::string(505, 'u').c_str()); // 506 characters, room for 5 more
    common::reportOutOfMemory();
    EXPECT_EQ(text().size(), common::messageBufferSize - 1);
    EXPECT_EQ(text().substr(506), std::string(common::loadText(115)).substr(0, 5));
    EXPECT_TRUE(guardIntact());
}

TEST_F(MessageSinkTest, OutOfMemoryOnAnUnterminatedBufferStaysInsideIt) {
    std::memset(buffer, 'x', common::messageBufferSize);
    EXPECT_FALSE(common::reportOutOfMemory());
    EXPECT_EQ(text(), std::string(common::messageBufferSize - 1, 'x'));
    EXPECT_TRUE(guardIntact());
}

TEST_F(MessageSinkTest, ATextTakenFromTheTargetItselfIsComposedIntact) {
    common::reportText("inner");
    common::reportWithName("f.wav", buffer);
    EXPECT_EQ(text(), "inner. (\"f.wav\").");
}

TEST_F(MessageSinkTest, NothingIsShownOnceATargetIsSet) {
    testing::internal::CaptureStderr();
    common::reportText("quiet");
    EXPECT_FALSE(common::showMessage());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(MessageSinkTest, LoadTextOverwritesTheOneBuffer) {
    const char* first = common::loadText(106);
    const std::string kept = first;
    const char* second = common::loadText(111);
    EXPECT_EQ(first, second) << "one shared buffer";
    EXPECT_NE(kept, std::string(second));
}

} // namespace
