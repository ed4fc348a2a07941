#pragma once

#include <security/pam_appl.h>

// PAM's side of the password check, run in the check's own process.

constexpr const char* kPamService = "brisalo";

// The conversation: every prompt, echoed or not, is answered with the password (appdata, a
// NUL-terminated string) and nothing else; informational and error messages get no answer.
// A message of a style it does not know fails the whole conversation (PAM_CONV_ERR).
int AnswerWithPassword(int count, const pam_message** messages, pam_response** responses, void* password);

// True only when pam_authenticate and then pam_acct_mgmt both said PAM_SUCCESS for `user`
// under the service kPamService.
bool PasswordIsRight(const char* user, const char* password);
