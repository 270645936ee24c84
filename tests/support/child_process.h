// Child processes of the tests and waits with a deadline: no test waits without end for a
// program that will not go. Also the hang report: a test still running shortly before CTest's
// timeout prints its processes and its main thread's stack.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// Seconds on a steady clock from an arbitrary start, and a sleep of that many.
double MonotonicSeconds();
void SleepSeconds(double seconds);

// In a child about to exec: its standard output and error go nowhere.
void QuietOutput();

// Starts a program that is told a pipe on its command line ("{fd}" in its words stands for the
// pipe's number) and writes one line to it once it is ready, output otherwise going nowhere.
// Returns that line, empty when none came within timeoutSeconds.
std::string StartAndReadReadyLine(std::vector<std::string> words, pid_t* child,
                                  double timeoutSeconds);

// Asks a child process to end (SIGTERM) and reaps it; one still there after graceSeconds is
// killed. No test waits without end for a program that will not go.
void EndChildProcess(pid_t child, double graceSeconds = 10.0);
// Waits for a child to end and returns its exit status; -1 for one that did not end by itself
// within timeoutSeconds (it is then ended as above) or was ended by a signal.
int WaitForChildExit(pid_t child, double timeoutSeconds);

// Checks `done` every pollSeconds until it holds; false when timeoutSeconds pass first. Tests in
// real time wait for a condition with a deadline that only a hang reaches, never a fixed time.
bool WaitUntil(const std::function<bool()>& done, double timeoutSeconds = 60.0,
               double pollSeconds = 0.05);
