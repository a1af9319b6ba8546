/// \class CGuiList
/// A list of text rows with a scroll bar: the mouse wheel and the bar's thumb scroll it, a filter
/// narrows it to the items containing a text, one item can be marked as the current one, and a left
/// press on a row reports the list's id to the event manager and which item was pressed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CImage;

class CGuiList {
public:
    /// Rows of this height, in pixels; the text is printed with font 1 at scale 1.
    static constexpr float kRowHeight = 18.0f;
    /// Width of the scroll bar along the right edge.
    static constexpr float kBarWidth = 12.0f;
    /// How many rows the wheel scrolls a notch.
    static constexpr int kWheelRows = 3;

    /// A list at (x, y) of its window, width x height pixels, reporting `id` when a row is pressed.
    /// Its pictures are "<art>back.png" (stretched over the list), "<art>mark.png" (under the marked
    /// and the hovered row), "<art>track.png" and "<art>thumb.png" (the scroll bar's two parts).
    CGuiList(const char* art, float x, float y, float width, float height, int32_t id);
    ~CGuiList();

    /// Replaces the items; the filter stays, the mark is cleared and the list scrolls to the top.
    void SetItems(const std::vector<std::string>& newItems);
    /// How many items the list holds, shown or not.
    size_t GetItemCount() const { return items.size(); }
    /// Item `index`; an empty text outside the list.
    const std::string& GetItem(size_t index) const;
    /// Shows only the items that contain `text`, ignoring case (all of them for an empty text), and
    /// scrolls back to the top. A list the filter empties says "no match".
    void SetFilter(const std::string& text);
    /// The filter in use.
    const std::string& GetFilter() const { return filter; }
    /// The items the filter lets through, as item indices in their order.
    const std::vector<size_t>& GetShown() const { return shown; }
    /// Marks item `index` as the current one (-1, or an index outside the list, for none).
    void SetMarked(int index);
    /// The marked item, -1 for none.
    int GetMarked() const { return marked; }
    /// Scrolls so that item `index` is in view, when the filter shows it.
    void ScrollToItem(size_t index);
    /// Scrolls by `rows` (up when negative), within the list.
    void Scroll(int rows);
    /// The shown row drawn at the top.
    size_t GetFirstRow() const { return first; }
    /// How many rows fit in the list.
    size_t GetRowCount() const;
    /// The item pressed in the last update, -1 when none was.
    int GetPressedItem() const { return pressed; }
    /// Shows or hides the list; a hidden list is neither drawn nor tested.
    void SetVisible(bool value) { visible = value; }
    /// Whether the list is drawn.
    bool IsVisible() const { return visible; }
    /// Left edge, relative to the window.
    float GetX() const { return x; }
    /// Top edge, relative to the window.
    float GetY() const { return y; }
    /// The list's id.
    int32_t GetId() const { return id; }
    /// Tests the mouse (the wheel, the bar, a press on a row) and draws at the origin plus the
    /// list's position; a window passes its top-left corner.
    void Update(float originX, float originY);

    CGuiList(const CGuiList&) = delete;
    CGuiList& operator=(const CGuiList&) = delete;

private:
    /// The furthest the list scrolls: the top row when the last row is at the bottom.
    size_t LastFirstRow() const;
    /// The thumb's height and its top relative to the list, for the current scroll.
    float ThumbHeight() const;
    float ThumbTop() const;
    /// Reacts to the wheel, the bar and a press on a row at (left, top).
    void HandleMouse(float left, float top);
    void Draw(float left, float top);

    float x;
    float y;
    float width;
    float height;
    int32_t id;
    bool visible = true;
    std::vector<std::string> items;
    std::vector<size_t> shown;
    std::string filter;
    int marked = -1;
    int pressed = -1;
    int hovered = -1;
    size_t first = 0;
    /// The thumb follows the mouse, held at this distance below the thumb's top.
    bool dragging = false;
    float grab = 0.0f;
    CImage* back;
    CImage* mark;
    CImage* track;
    CImage* thumb;
};
