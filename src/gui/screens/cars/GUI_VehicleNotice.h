// The notice over a car that cannot move on: a red box with why (no next station, a station that
// is not connected, or one whose earlier work the car lacks, with that station's task), drawn over
// the car in the factory view; nothing while the car is fine. Every car owns one. The text is
// measured here, on the main thread; the factory view's notice drawing paints it where the car
// stands (SetRenderer). Main thread.
#pragma once

#include "sim/views/SIM_CarNotice.h"

#include <functional>
#include <string>
#include <vector>

class SIM_Vehicle;

class GUI_VehicleNotice : public SIM_CarNotice
{
public:
    static constexpr const char* kIconTexture = "notice_error.dds";
    // Wider texts wrap inside a box of this width.
    static constexpr float kMostWidth = 400.0f;

    struct Colour
    {
        int r = 0, g = 0, b = 0, a = 0;
    };

    // Paints one notice at a world position (the factory view's notice drawing).
    using Renderer = std::function<void(const GUI_VehicleNotice& notice, float worldX, float worldY)>;
    static void SetRenderer(Renderer renderer);
    // Every notice, in the order they were made.
    static const std::vector<GUI_VehicleNotice*>& All();

    // The car owns the notice.
    explicit GUI_VehicleNotice(const SIM_Vehicle* car);
    ~GUI_VehicleNotice() override;
    GUI_VehicleNotice(const GUI_VehicleNotice&) = delete;
    GUI_VehicleNotice& operator=(const GUI_VehicleNotice&) = delete;

    // The car's problem changed (kind 0 to 3, and the task it lacks for kind 3).
    void UpdateText(int kind, const std::string& detail) override;
    // Over the car, unless the car is fine.
    void Draw();

    int GetKind() const { return m_kind; }
    const std::string& GetText() const { return m_text; }
    const std::string& GetIcon() const { return m_icon; }
    const Colour& GetBoxColour() const { return m_boxColour; }
    const Colour& GetTextColour() const { return m_textColour; }
    float GetTextWidth() const { return m_textWidth; }
    float GetTextHeight() const { return m_textHeight; }
    const SIM_Vehicle* GetVehicle() const { return m_vehicle; }

private:
    const SIM_Vehicle* m_vehicle; // owns this notice
    int m_kind = 0;
    std::string m_detail;
    std::string m_text;
    std::string m_icon;
    Colour m_boxColour;
    Colour m_textColour;
    float m_textWidth = 0.0f;
    float m_textHeight = 0.0f;
};
