#pragma once

#include <string>

// The sound device of the test environment under Wine writes every sample it plays to a
// file. Empty where the device is a real one (on Windows), and the tests that listen skip.
std::string SoundCaptureFile();

// What the device has written so far.
std::string CapturedSound();
