#pragma once
// Signals of the operating system that would end the program without a word.

/// A file size limit (ulimit -f) ends a process with SIGXFSZ at its first
/// write beyond it. Ignored, the write fails instead, and the program reports
/// it like a full disk and loses nothing.
void dateigroessenGrenzeAbfangen();
