#include <security/pam_appl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/session_lock.h"
#include "platform/unix/password/pam_check.h"
#include "platform/unix/password/password_buffer.h"
#include "platform/unix/password/password_check.h"

namespace {

bool AllZero(const char* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) return false;
    }
    return true;
}

TEST(PamConversation, AnswersPromptsWithThePasswordAndMessagesWithNothing) {
    const pam_message error{PAM_ERROR_MSG, "error"};
    const pam_message hidden{PAM_PROMPT_ECHO_OFF, "Password: "};
    const pam_message info{PAM_TEXT_INFO, "info"};
    const pam_message shown{PAM_PROMPT_ECHO_ON, "Code: "};
    const pam_message* messages[] = {&error, &hidden, &info, &shown};
    char password[] = "secret";
    pam_response* answers = nullptr;
    ASSERT_EQ(AnswerWithPassword(4, messages, &answers, password), PAM_SUCCESS);
    ASSERT_NE(answers, nullptr);
    EXPECT_EQ(answers[0].resp, nullptr);
    EXPECT_STREQ(answers[1].resp, "secret");
    EXPECT_EQ(answers[2].resp, nullptr);
    EXPECT_STREQ(answers[3].resp, "secret");
    for (int i = 0; i < 4; ++i) std::free(answers[i].resp);
    std::free(answers);

    const pam_message odd{99, "?"};
    const pam_message* mixed[] = {&hidden, &odd};
    answers = reinterpret_cast<pam_response*>(1);
    EXPECT_EQ(AnswerWithPassword(2, mixed, &answers, password), PAM_CONV_ERR);
    EXPECT_EQ(answers, nullptr);
}

struct Seen {
    std::vector<std::string> passwords;
    const char* buffer = nullptr;
    bool firstWipedBeforeSecond = false;
};

// The check's buffer holds one password at a time: the longer first one is gone when the
// second comes, and nothing is left once the answers are out.
TEST(PasswordChecks, EachPasswordIsWipedBeforeItsAnswer) {
    int requests[2];
    int answers[2];
    ASSERT_EQ(pipe(requests), 0);
    ASSERT_EQ(pipe(answers), 0);
    const std::string first = "correct horse";
    const std::string second = "abc";
    std::string sent;
    for (const std::string& password : {first, second}) {
        sent += static_cast<char>(password.size());
        sent += '\0';
        sent += password;
    }
    ASSERT_EQ(write(requests[1], sent.data(), sent.size()), static_cast<ssize_t>(sent.size()));
    close(requests[1]);

    Seen seen;
    auto check = [](const char* password, void* data) {
        auto* seen = static_cast<Seen*>(data);
        seen->passwords.emplace_back(password);
        if (seen->passwords.size() == 2) {
            seen->firstWipedBeforeSecond = AllZero(password + 4, kPasswordCapacity - 4);
        }
        seen->buffer = password;
        return seen->passwords.size() == 2;
    };
    EXPECT_EQ(ServePasswordChecks(requests[0], answers[1], check, &seen), 0);
    close(answers[1]);
    char said[4] = {};
    EXPECT_EQ(read(answers[0], said, sizeof said), 2);
    EXPECT_EQ(said[0], kCheckAnswerWrong);
    EXPECT_EQ(said[1], kCheckAnswerRight);
    EXPECT_EQ(seen.passwords, (std::vector<std::string>{first, second}));
    EXPECT_TRUE(seen.firstWipedBeforeSecond);
    EXPECT_TRUE(AllZero(seen.buffer, kPasswordCapacity));
    close(requests[0]);
    close(answers[0]);
}

// The typed buffer edits by characters, and an attempt wipes it even when no check can be
// started (there is no check program beside this test).
TEST(PasswordBuffer, EditsByCharactersAndIsWipedByEveryAttempt) {
    PasswordBuffer& buffer = ThePasswordBuffer();
    for (uint32_t c : {0x68u, 0xE9u, 0x20ACu, 0x1F600u, 0x0Du, 0x1Bu}) PlatformPasswordAppend(c);
    EXPECT_EQ(PlatformPasswordLength(), 4);
    EXPECT_EQ(std::string(buffer.bytes, static_cast<size_t>(buffer.size)), "h\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    PlatformPasswordErase();
    PlatformPasswordErase();
    EXPECT_EQ(std::string(buffer.bytes, static_cast<size_t>(buffer.size)), "h\xC3\xA9");
    EXPECT_TRUE(AllZero(buffer.bytes + buffer.size, kPasswordCapacity - buffer.size));

    for (int i = 0; i < kPasswordCapacity; ++i) PlatformPasswordAppend('x');
    EXPECT_EQ(buffer.size, kPasswordCapacity - 1);
    EXPECT_FALSE(PlatformStartPasswordCheck());
    EXPECT_EQ(PlatformPasswordLength(), 0);
    EXPECT_TRUE(AllZero(buffer.bytes, kPasswordCapacity));
}

}  // namespace
