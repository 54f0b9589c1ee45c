// A car being built on the factory floor: it collects components, features and applied task names
// as stations work on it, moves from slot to slot and leaves through an export slot.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SIM_Factory;
class SIM_CarNotice;
class SIM_CarView;
class SIM_ProductionSlot;
class SIM_VehicleComponent;
class SIM_VehicleHolder;
struct SIM_VehicleFeatureRecord;

class SIM_Vehicle
{
public:
    // Vehicle states.
    static constexpr int STANDING = 0;
    static constexpr int MOVING = 1;
    static constexpr int LEAVING = 2;
    static constexpr int GONE = 3;

    SIM_Vehicle();
    ~SIM_Vehicle();
    SIM_Vehicle(const SIM_Vehicle&) = delete;
    SIM_Vehicle& operator=(const SIM_Vehicle&) = delete;

    // Fits a component (ignored when one of that type is fitted); the car owns it from then on.
    void AddComponent(std::unique_ptr<SIM_VehicleComponent> component);
    // Paints the car and every fitted component.
    void SetColor(int r, int g, int b, int a);
    // Records a feature unless one of the same name is recorded; the car owns the record.
    void AddCompletedTask(std::unique_ptr<SIM_VehicleFeatureRecord> record);
    bool HasCompletedTask(const std::string& featureName) const;
    void CalculateCosts();
    // Notice kind from the three flags; the notice hears of it only when the kind changes.
    void UpdateNotice();
    // Whether a finished sub-task of this name was applied to the car.
    bool HasAppliedTask(const std::string& taskName) const;
    void AddAppliedTask(const std::string& taskName);

    // One frame of the vehicles job: move or leave.
    void MoveStep(float frameMs, float conveyorSpeed, const SIM_Factory* floor);
    void LeaveStep(float frameMs);
    // Starts a leg from the current position to the target.
    void StartLeg(float targetX, float targetY);

    // Field access (slots, exporter, view, savegame).
    const std::vector<std::unique_ptr<SIM_VehicleComponent>>& GetComponents() const { return m_components; }
    const std::vector<std::unique_ptr<SIM_VehicleFeatureRecord>>& GetFeatureRecords() const { return m_featureRecords; }
    const std::vector<std::string>& GetAppliedTasks() const { return m_appliedTasks; }
    int GetState() const { return m_state; }
    void SetState(int state) { m_state = state; }
    SIM_ProductionSlot* GetSlot() const;
    SIM_VehicleHolder* GetHolder() const { return m_slot; }
    void SetSlot(SIM_VehicleHolder* slot) { m_slot = slot; }
    float GetX() const { return m_x; }
    float GetY() const { return m_y; }
    void SetPosition(float x, float y)
    {
        m_x = x;
        m_y = y;
    }
    float GetTargetX() const { return m_targetX; }
    float GetTargetY() const { return m_targetY; }
    float GetStartX() const { return m_startX; }
    float GetStartY() const { return m_startY; }
    float GetLegTime() const { return m_legTime; }
    // Savegame reader: restores a leg exactly.
    void RestoreLeg(float startX, float startY, float targetX, float targetY, float legMs);
    const int* GetColor() const { return m_color; }
    int GetFacing() const { return m_facing; }
    void SetFacing(int facing) { m_facing = facing; }
    bool IsMoving() const { return m_moving != 0; }
    float GetFeatureCost() const { return m_costs[0]; }
    float GetTotalCost() const { return m_costs[3]; }
    const float* GetCosts() const { return m_costs; }
    SIM_CarView* GetView() const { return m_view.get(); }
    SIM_CarNotice* GetNotice() const { return m_notice.get(); }
    int GetNoticeKind() const { return m_noticeKind; }
    const std::string& GetNoticeDetail() const { return m_noticeDetail; }
    void SetNoticeDetail(const std::string& detail) { m_noticeDetail = detail; }

    // Next-slot notice flags: not found, not connected, requirements not met.
    uint8_t m_flagNotFound = 0;
    uint8_t m_flagNotConnected = 0;
    uint8_t m_flagReqsNotMet = 0;

private:
    std::vector<std::unique_ptr<SIM_VehicleComponent>> m_components; // sorted by z order
    std::vector<std::unique_ptr<SIM_VehicleFeatureRecord>> m_featureRecords;
    std::vector<std::string> m_appliedTasks;
    float m_targetX = 0.0f;
    float m_targetY = 0.0f;
    std::unique_ptr<SIM_CarView> m_view; // null headless
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_startX = 0.0f;
    float m_startY = 0.0f;
    int32_t m_state = STANDING;
    SIM_VehicleHolder* m_slot = nullptr;
    int m_color[4] = {255, 255, 255, 255};
    float m_legTime = 0.0f;
    int32_t m_facing = 1;
    uint8_t m_moving = 0;
    float m_costs[4] = {0.0f, 0.0f, 0.0f, 0.0f}; // features, two further values, total
    std::unique_ptr<SIM_CarNotice> m_notice;     // null headless
    int m_noticeKind = 0;
    std::string m_noticeDetail;
};
