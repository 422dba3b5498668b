#pragma once

#include <string>

namespace vantorix {

// What the keystroke emitter needs from a platform's keyboard: the three lock
// states, a way to toggle each lock, and the typing of a key string. Every
// typing backend keeps this contract; tests/typing/keyboard_conformance.h
// holds the key strings and the text that must arrive for each.
//
// Key strings. Single-byte Windows-1252 text, read by readKeyString
// (typing/key_string_reader.h):
// - a plain character types itself: a letter, a digit, any printable
//   character, and beyond ASCII any Windows-1252 character (é is the byte
//   0xE9, € the byte 0x80); TAB, CR and LF type the Tab and Enter keys, other
//   control characters type nothing;
// - "~" is the Enter key;
// - a key name in braces is that key, in either letter case: {TAB}, {ENTER},
//   {BS}, {DEL}, {ESC}, {HOME}, {END}, {UP}, {DOWN}, {LEFT}, {RIGHT}, {PGUP},
//   {PGDN}, {INS}, {F1} to {F16}, {CAPSLOCK}, {NUMLOCK}, {SCROLLLOCK},
//   {ADD}, {SUBTRACT}, {MULTIPLY}, {DIVIDE} (the keypad's) and a few more;
// - one character in braces types that character: this is how the ten
//   characters } { ^ + % ~ ( ) [ ] are typed, as {}} {{} {^} {+} {%} {~} {(}
//   {)} {[} {]};
// - a blank and a count after the name or character repeat it: {a 3} is
//   "aaa", {ENTER 2} two Enter keys, a count of 0 types nothing;
// - + ^ % hold Shift, Control and Alt for the next key, or for every key of
//   a group in parentheses: +a, ^c, %x, +(ab). Shift with a letter gives the
//   capital, as on a keyboard (and so, on a keyboard whose letters Caps Lock
//   affects, the small letter while Caps Lock is on). The program never
//   types these prefixes itself: received text and the user's texts have
//   them in braces;
// - what is not valid syntax is typed as the characters it is written with.
//
// Caps Lock and letters. A keyboard either types letters as a physical
// keyboard does, so that Caps Lock on turns a-z into A-Z and A-Z into a-z
// (CapsLockAffectsLetters() true: X11 through XTest, the Windows keyboard), or
// it types every letter exactly whatever Caps Lock says (false: the Wayland
// keyboard with its own keymap and locks, one that types Unicode, or one that
// chooses each letter's keys for the Caps Lock they meet). The emitter
// swaps the case of the letters a-z and A-Z it hands over only while Caps Lock
// is on and it affects the letters, so that what arrives is exactly the text
// received in both kinds. Caps Lock never changes any other character, in
// either kind: every Windows-1252 letter beyond ASCII (é, ß, µ, ÿ, Š ...)
// arrives as sent with Caps Lock on or off, those whose capital lies outside
// Windows-1252 or on no key included; none is ever dropped.
//
// Repeated keys. The same key typed twice in a row arrives as two key presses,
// within one call and across calls: a window must not be able to take the
// second for the first one's auto-repeat (some take a press that follows the
// release of the same key with the same event time for that).
//
// Lock states. The Is... functions report the locks that the keys typed by
// this keyboard meet; a keyboard whose keys meet locks of their own that are
// never on reports them off, and its toggles do nothing. The emitter notes
// them before typing and toggles back each one the typing changed (a key
// string may type {CAPSLOCK}).
class Keyboard {
  public:
    virtual ~Keyboard() = default;

    // True while Num Lock is on (a held-down Num Lock key may also read as on).
    virtual bool IsNumLockOn() = 0;
    // True while Scroll Lock is on (a held-down Scroll Lock key may also read as on).
    virtual bool IsScrollLockOn() = 0;
    // True only when the Caps Lock toggle is set; a merely held-down key is not.
    virtual bool IsCapsLockToggled() = 0;

    virtual void ToggleNumLock() = 0;
    virtual void ToggleCapsLock() = 0;
    virtual void ToggleScrollLock() = 0;

    // Whether Caps Lock on changes the case of the letters SendKeys types.
    virtual bool CapsLockAffectsLetters() const { return true; }

    // Types `keys` into the focused window, in order after the keys of earlier
    // calls. With `wait` true it returns only once the keys have been handed
    // to the window system and processed by it, so lock states read afterwards
    // are those after the typing; with `wait` false it may return as soon as
    // the keys are on their way.
    virtual void SendKeys(const std::string& keys, bool wait) = 0;
};

}  // namespace vantorix
