// The modal dialog that the first car of a new set of features opens: it holds the game while the
// player names the new model and chooses its price, shows the model, its features and how the
// price compares with its value. Saving names and prices the design and puts the car into stock;
// Escape, or a newer design replacing the dialog, gives the design a default name at the slider's
// price and leaves the stock as it was. The game then runs on at the speed it had. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <string>

class GUI_DesignPreview;
class GUI_Features;
class GUI_MenuButton;
class GUI_PriceSlider;
class GUI_TextEditWindow;
class SIM_Vehicle;
class SIM_VehicleDesign;

class GUI_NewDesign : public GUI_Dialog
{
public:
    static constexpr int kWidth = 700;
    static constexpr int kHeight = 500;
    static constexpr int kNameLimit = 64;
    // Characters a design name may not hold: the savegame keeps names inside quoted attributes
    // and comma lists.
    static constexpr const char* kRefusedCharacters = "<>,\"";

    // Ends an open new-design dialog (as Escape would) and opens one for the design. The car is
    // the one that made the design, held off the floor until the dialog ends; it may be null.
    static GUI_NewDesign* Show(SIM_VehicleDesign* design, SIM_Vehicle* car);
    // The open dialog, or null.
    static GUI_NewDesign* GetOpen() { return s_single.Get(); }

    GUI_NewDesign(SIM_VehicleDesign* design, SIM_Vehicle* car);
    ~GUI_NewDesign() override;

    void Layout() override;
    void Draw() override;

    // The save button: refused (the dialog stays) when the name is taken by another design;
    // otherwise names, prices and stocks the design and closes the dialog.
    bool Save();
    // The car has been deleted (a game ending under the dialog): saving stocks the design alone.
    void ForgetVehicle(const SIM_Vehicle* car);

    // Whether a typed name may be stored for the design: no refused character and no other design
    // of that name. An empty name stands for the default name and is allowed.
    static bool IsNameAllowed(const std::string& name, const SIM_VehicleDesign* design);

    SIM_VehicleDesign* GetDesign() const { return m_design; }
    SIM_Vehicle* GetVehicle() const { return m_vehicle; }
    GUI_TextEditWindow* GetNameEdit() const { return m_nameEdit; }
    GUI_PriceSlider* GetPriceSlider() const { return m_priceSlider; }
    GUI_MenuButton* GetSaveButton() const { return m_saveButton; }
    bool IsNameRefused() const { return m_nameRefused; }

private:
    // However the dialog ends: an unsaved design gets the default name and the slider's price,
    // the car's hold ends and the game runs on. Runs once.
    void Finish();
    // Builds the preview and the features panel for the current rectangle.
    void BuildPictures();

    static inline GUI_SingleWindow<GUI_NewDesign> s_single;

    GUI_MenuButton* m_saveButton = nullptr;   // owned by the button list
    GUI_TextEditWindow* m_nameEdit = nullptr; // sub-window
    GUI_PriceSlider* m_priceSlider = nullptr; // sub-window
    std::string m_nameLabel;
    std::string m_nameTakenText;
    GUI_DesignPreview* m_preview = nullptr; // sub-window
    GUI_Features* m_features = nullptr;     // sub-window
    SIM_VehicleDesign* m_design;            // owned by the design manager
    SIM_Vehicle* m_vehicle;                 // held by the vehicle manager until Finish
    bool m_saved = false;
    bool m_finished = false;
    bool m_nameRefused = false;
};
