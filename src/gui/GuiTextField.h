/// \class CGuiTextField
/// A one-line text field: a left press on it gives it the keyboard, letters, digits and punctuation
/// typed then are added to its text, Backspace takes the last one away, and Return, Escape, Tab or a
/// press elsewhere give the keyboard back; other keys (function keys, arrows) stay the application's.
/// Each change reports its id to the event manager.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CImage;

class CGuiTextField {
public:
    /// The longest text the field takes.
    static constexpr size_t kMaxLength = 64;

    /// A field at (x, y) of its window, width x height pixels, drawn over the picture `image`
    /// (stretched), reporting `id` each time its text changes.
    CGuiTextField(const char* image, float x, float y, float width, float height, int32_t id);
    ~CGuiTextField();

    /// The text typed.
    const std::string& GetText() const { return text; }
    /// Replaces the text (cut to kMaxLength characters); no change is reported.
    void SetText(const std::string& value);
    /// Printed in grey while the field is empty and does not have the keyboard.
    void SetPlaceholder(const std::string& value) { placeholder = value; }
    /// Gives the field the keyboard, or takes it away.
    void SetFocused(bool value) { focused = value; }
    /// Whether typing goes to the field.
    bool IsFocused() const { return focused; }
    /// Whether the field used the key event of its last update; an application then leaves that key
    /// alone.
    bool TookKey() const { return tookKey; }
    /// Shows or hides the field; a hidden field is neither drawn nor tested, and lets the keyboard go.
    void SetVisible(bool value);
    /// Whether the field is drawn.
    bool IsVisible() const { return visible; }
    /// The field's id.
    int32_t GetId() const { return id; }
    /// Takes a press or a typed key, then draws at the origin plus the field's position; a window
    /// passes its top-left corner.
    void Update(float originX, float originY);

    CGuiTextField(const CGuiTextField&) = delete;
    CGuiTextField& operator=(const CGuiTextField&) = delete;

private:
    /// Applies a key pressed while focused: true when the key is the field's (a character, Backspace,
    /// or a key that leaves the field), with `changed` set when the text changed.
    bool Type(int sym, int unicode, bool& changed);
    void Draw(float left, float top);

    float x;
    float y;
    float width;
    float height;
    int32_t id;
    bool visible = true;
    bool focused = false;
    bool tookKey = false;
    std::string text;
    std::string placeholder;
    CImage* image;
};
