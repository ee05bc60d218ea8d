// The settings file "VOda.ini": 14 key=value lines, read by loadSettings and
// written by saveSettings. Plain C stdio in text mode, so Windows writes CR LF.
#pragma once

// The fixed location; not derived from the program, the registry or the environment.
extern const char* const settingsPath;

// Fills `settings` from the file, creating it from the record when it does not
// open for reading and rewriting it when a line fails to parse. Always returns
// with usable values in the record, also when the file cannot be written.
void loadSettings(bool forceRewrite);

// Writes the whole record to the file (the dialog's OK).
void saveSettings();

// The same two operations on another path: the seam the native unit tests use.
void loadSettingsAt(const char* path, bool forceRewrite);
void saveSettingsAt(const char* path);
