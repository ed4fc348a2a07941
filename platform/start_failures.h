#pragma once

// What the saver window shows when a step of its start fails: the call that failed,
// "failed:", two spaces and why, in the terms of the system the saver runs on.
struct StartFailureTexts {
    const char* registerClass;
    const char* choosePixelFormat;
    const char* setPixelFormat;
    const char* createGlContext;
    const char* makeCurrent;
};

extern const StartFailureTexts kStartFailures;
