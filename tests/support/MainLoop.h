// Waiting in tests for what the main loop delivers, with a bound.
#pragma once

#include <functional>
#include <string>

// Runs the main loop until done() is true or timeoutMs has passed; returns done().
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000);
// Runs the main loop for a while, for things that must NOT happen.
void RunFor(int ms);
// Folder for screenshots and other things a person may want to look at after the run.
std::string TestOutputDir();
