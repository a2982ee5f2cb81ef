// The page host's script: one command per line, words separated by blanks,
// "double-quoted" words for text (with \" \\ \n \t escapes), "#" comments.
//
//   timeout 60                        watchdog: give up (exit 3) after 60 s
//   window 800 600                    the page's client size (before create)
//   register PATH                     call DllRegisterServer of a DLL
//   create NAME {CLSID} X Y W H       embed a control in the page
//   call NAME METHOD ARG...           call a scripting method by name
//   expect-hr VALUE                   the last call's HRESULT
//   expect-ret TEXT                   the last call's returned text
//   on NAME EVENT call NAME2 METHOD ARG...   answer an event with a call;
//                                     $1..$9 in the arguments stand for the
//                                     event's arguments
//   on NAME EVENT destroy NAME2       answer an event by removing a control
//   expect-event NAME EVENT [MS] [ARG|* ...]  wait for the next such event
//   wait MS                           let the page run for a while
//   wait-color NAME 0xRRGGBB [MS]     let it run until the control shows a
//                                     pixel of that colour (fails after MS,
//                                     5000 by default)
//   click NAME X Y / dblclick / rclick    mouse at a point of a control
//   press NAME ID                     click the button with that id inside a
//                                     control, as the operator would
//   click NAME color 0xRRGGBB DX DY   ... at DX, DY from the first pixel of
//                                     that colour the control shows (rows
//                                     from the top, each from the left)
//   capture NAME|page FILE.png        save what the window shows
//   navigate NAME URL                 navigate the web browser a control
//                                     shows inside itself (as its page would)
//   destroy NAME                      remove a control from the page
//   print TEXT...
//
// Arguments: a number (decimal, or 0x hexadecimal; a leading "-" allowed)
// goes to script as an integer, a quoted word as text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ScriptValue {
    enum class Kind { Integer, Text, EventArgument, Any };
    Kind kind = Kind::Text;
    int64_t integer = 0;
    std::wstring text;
    int eventArgument = 0; // 1-based, for $N
};

struct ScriptCommand {
    int line = 0;
    std::wstring verb;
    std::vector<std::wstring> words; // the plain words after the verb
    std::vector<ScriptValue> values; // the same words read as values
};

struct ScriptError {
    int line = 0;
    std::wstring message;
};

// Splits and checks a whole script. On failure returns nothing and sets error.
std::optional<std::vector<ScriptCommand>> ParsePageScript(const std::wstring& text,
                                                          ScriptError& error);

// Reads a word as a value: integer, "$N", "*" or text.
ScriptValue ValueOfWord(const std::wstring& word, bool quoted);
