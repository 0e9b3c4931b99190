#pragma once
// Work that lasts a while runs on a thread of its own while the event loop
// goes on, so a modal progress dialog keeps painting.

#include <functional>

/// Runs arbeit on a new thread and returns when it is done; meanwhile
/// anzeigen is called on this thread every intervallMs.
void imHintergrund(const std::function<void()>& arbeit, const std::function<void()>& anzeigen,
                   int intervallMs);
