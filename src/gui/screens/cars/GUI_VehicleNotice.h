// The notice over a car that cannot move on: a red box with why (no next station, a station that
// is not connected, or one whose earlier work the car lacks, with that station's task), drawn over
// the car with the factory's other notices; nothing while the car is fine. Every car owns one, and
// its text is measured here on the main thread. Main thread.
#pragma once

#include "gui/factory/notices/GUI_NoticeBase.h"
#include "sim/views/SIM_CarNotice.h"

#include <string>

class SIM_Vehicle;

class GUI_VehicleNotice : public GUI_NoticeBase, public SIM_CarNotice
{
public:
    static constexpr const char* kSymbolTexture = "notice_error.dds";

    // The car owns the notice.
    explicit GUI_VehicleNotice(const SIM_Vehicle* car);

    // The car's problem changed (kind 0 to 3, and the task it lacks for kind 3).
    void UpdateText(int kind, const std::string& detail) override;
    // Over the car, unless the car is fine.
    void Draw() override;

    int GetKind() const { return m_kind; }

private:
    const SIM_Vehicle* m_vehicle; // owns this notice
    int m_kind = 0;
    std::string m_detail;
};
