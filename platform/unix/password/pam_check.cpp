#include "platform/unix/password/pam_check.h"

#include <cstdlib>
#include <cstring>

namespace {

// PAM frees the answers it is given; ours are wiped first where we free them ourselves.
void FreeAnswers(pam_response* answers, int count) {
    for (int i = 0; i < count; ++i) {
        if (answers[i].resp == nullptr) continue;
        explicit_bzero(answers[i].resp, std::strlen(answers[i].resp));
        std::free(answers[i].resp);
    }
    std::free(answers);
}

}  // namespace

int AnswerWithPassword(int count, const pam_message** messages, pam_response** responses, void* password) {
    *responses = nullptr;
    if (count <= 0 || count > PAM_MAX_NUM_MSG || password == nullptr) return PAM_CONV_ERR;
    auto* answers = static_cast<pam_response*>(std::calloc(static_cast<size_t>(count), sizeof(pam_response)));
    if (answers == nullptr) return PAM_BUF_ERR;
    for (int i = 0; i < count; ++i) {
        switch (messages[i]->msg_style) {
        case PAM_PROMPT_ECHO_OFF:
        case PAM_PROMPT_ECHO_ON:
            answers[i].resp = strdup(static_cast<const char*>(password));
            if (answers[i].resp == nullptr) {
                FreeAnswers(answers, count);
                return PAM_BUF_ERR;
            }
            break;
        case PAM_ERROR_MSG:
        case PAM_TEXT_INFO:
            break;
        default:
            FreeAnswers(answers, count);
            return PAM_CONV_ERR;
        }
    }
    *responses = answers;
    return PAM_SUCCESS;
}

bool PasswordIsRight(const char* user, const char* password) {
    const pam_conv conversation = {AnswerWithPassword, const_cast<char*>(password)};
    pam_handle_t* handle = nullptr;
    int result = pam_start(kPamService, user, &conversation, &handle);
    if (result != PAM_SUCCESS) return false;
    result = pam_authenticate(handle, 0);
    if (result == PAM_SUCCESS) result = pam_acct_mgmt(handle, 0);
    const bool right = result == PAM_SUCCESS;
    pam_end(handle, result);
    return right;
}
