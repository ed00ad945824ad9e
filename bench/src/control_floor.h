// The control's own speed, measured in this process: what any program that
// keeps its text in a RichEdit 2.0 control like Quillet's can reach at best.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Ways of loading the same bytes, for trying what makes the load cheaper.
struct LoadVariant {
    bool urlDetection = true;   // EM_AUTOURLDETECT on during the load (as Quillet)
    bool singleCrBreaks = false;  // CR LF turned into CR before streaming (as Quillet)
    bool noRedraw = false;      // WM_SETREDRAW FALSE around the load
    bool noUndo = false;        // EM_SETUNDOLIMIT 0 around the load
    bool fixedScrollBars = true;  // ES_DISABLENOSCROLL (as Quillet)
};

struct LoadResult {
    double seconds = -1;  // negative: the load failed
    long lineCount = 0;   // the control's EM_GETLINECOUNT afterwards
    double afterSeconds = 0;  // of seconds: the part after EM_STREAMIN returned
};

// One EM_STREAMIN of bytes into a fresh visible control of Quillet's editor's
// size, styles and font. Only the EM_STREAMIN itself is timed.
LoadResult StreamIntoFreshControl(const std::string& bytes, const LoadVariant& variant = {});

// A fresh visible control set up as Quillet sets up its editor, holding
// bytes (one EM_STREAMIN); nullptr on failure. DestroyControl ends it.
HWND LoadedControl(const std::string& bytes);
void DestroyControl(HWND control);

// Handles every message waiting in this thread's queue.
void PumpMessages();

// The naive way: one EM_REPLACESEL per line at the end of a fresh control.
LoadResult ReplaceLineByLine(const std::string& bytes);

}  // namespace bench
