// The frame's own texts: program caption, document window captions, the close question, the
// name typed into the name box, and the screen cursor names. Standard C++ only.
#pragma once

#include <string>
#include <string_view>

namespace kalvora {

inline constexpr std::string_view kProgramVersion = "8.0";
inline constexpr std::string_view kDesignedCaption = "Kalvora ";
inline constexpr std::string_view kAboutCaption = "About Kalvora ";
inline constexpr std::string_view kUnsavedChangesCaption = "You have unsaved changes";

// "Kalvora 8.0", or "Kalvora 8.0 - <project file>" while a project is open.
std::string MainCaption(std::string_view projectFile);
// "About Kalvora 8.0"
std::string AboutBoxCaption();

// A document window's caption: "<name> - <file>", the file alone when the name is empty, the
// name alone (possibly empty) when there is no file.
std::string DocumentCaption(std::string_view name, std::string_view fileName);

// "Do you want to save the <noun> with name "<name>" to current file "<file>"?", with
// " without name" for an empty name and " to a new file" when there is no file.
std::string CloseQuestionText(std::string_view noun, std::string_view name,
                              std::string_view fileName);

// The name box text with surrounding blanks removed.
std::string TrimmedName(std::string_view text);

// The mouse cursors the program registers at start, under these numbers.
enum class ScreenCursor { draw = 1, del = 2, sil = 3, reject = 4, note = 5, zoom = 6, zoomOut = 7 };
inline constexpr ScreenCursor kScreenCursors[] = {
    ScreenCursor::draw, ScreenCursor::del,  ScreenCursor::sil,     ScreenCursor::reject,
    ScreenCursor::note, ScreenCursor::zoom, ScreenCursor::zoomOut,
};
// "DRAW", "DELETE", "SIL", "REJECT", "NOTE", "ZOOM", "ZOOMOUT"
std::string_view ScreenCursorName(ScreenCursor cursor);

}  // namespace kalvora
