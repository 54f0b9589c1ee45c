// The root of every on-screen widget: a screen rectangle, a name, and child elements kept at
// fixed offsets so that moving a window moves everything in it.
#pragma once
#include <string>
#include <vector>

class GUI_BaseElement
{
public:
    struct Child
    {
        GUI_BaseElement* element;
        float dx;
        float dy;
    };

    GUI_BaseElement() = default;
    // Virtual so that a widget deleted through a base pointer runs its own destructor.
    // The children are not destroyed: their owners do that.
    virtual ~GUI_BaseElement() = default;

    // A click at a pointer position (window pixels); true when the element handled it.
    virtual bool OnClick(float x, float y);
    virtual void Draw() {}
    virtual void CentreOnScreen();
    virtual void SetPosition(float x, float y);
    virtual void SetRect(float x1, float y1, float x2, float y2);
    virtual void ClampToScreen();
    // Width and height only; the rectangle follows at the next SetPosition.
    virtual void SetSize(float w, float h);
    // Right and bottom edges are outside.
    virtual bool IsInside(float x, float y);

    // Adds a child at its current offset from this element's top-left corner.
    void AddChild(GUI_BaseElement* child);
    // Re-places every child (and its children) at its offset.
    void LayoutChildren();

    int GetLeft() const { return m_left; }
    int GetTop() const { return m_top; }
    int GetRight() const { return m_right; }
    int GetBottom() const { return m_bottom; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    const std::vector<Child>& GetChildren() const { return m_children; }
    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }

protected:
    int m_left = 0;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
    std::vector<Child> m_children;
    int m_width = 0;
    int m_height = 0;
    std::string m_name;
};
