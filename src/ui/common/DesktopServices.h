#pragma once

class Clock;
class FileChooser;
class Prompter;

// The three services every window borrows instead of reaching for the system
// itself: messages and questions, file and folder choosers, and "today". The
// application creates them once; tests hand in scripted ones.
struct DesktopServices
{
    Prompter& prompter;
    FileChooser& files;
    const Clock& clock;
};
