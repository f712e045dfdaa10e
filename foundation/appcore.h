// The application's start time and whether its windows have been set up.
// Code that may run before the set-up (settings, message boxes, fonts) asks
// here and tells the developer when the set-up is missing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace appcore {

// How long start-up may take before a missing set-up counts as a fault.
constexpr int64_t kGraceMs = 10000;

// Takes the start stamp; the first thing main does. Later calls do nothing.
// Any function below called earlier takes the stamp itself.
void Start();

// Milliseconds from 2000-01-01 00:00 local time to the start.
int64_t StartStamp();

// Milliseconds since the start, on a steady clock (immune to clock changes).
int64_t MsSinceStart();

// False until appform's InitializeFormApplication has run; never cleared.
bool IsFormApplicationInitialized();
void SetFormApplicationInitialized();

// The developer message for a missing set-up: with grace the elapsed time is
// reported; without grace the reason, or a plain notice when it is empty;
// then the explanation of what to call and where.
std::string FormApplicationMessage(bool grace, std::string_view reason, int64_t elapsedMs);

// Does nothing once the set-up has happened, or with grace within kGraceMs of
// the start. Otherwise shows FormApplicationMessage in an error box captioned
// "Chyba inicializace aplikace" and returns; the caller goes on normally.
void CheckFormApplication(bool grace, std::string_view reason);

}  // namespace appcore
