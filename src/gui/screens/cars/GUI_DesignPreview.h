// A still picture of a car design inside a rectangle: the design's parts seen from the south-east,
// stacked in the design's order and scaled so the widest part fills the width, with the paintable
// layers in the design's colour. The car stock rows, the new-design dialog and the finance sales
// rows show it. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>
#include <vector>

class SIM_VehicleDesign;
struct SIM_ComponentLayer;

class GUI_DesignPreview : public GUI_WindowBase
{
public:
    // Where one layer's picture lies, in the units of the car frame (fractions of its width and
    // height, the frame's centre at 0): the texture, the centre offset, the size and the corners of
    // the picture in the texture.
    struct LayerPicture
    {
        std::string texture;
        float centreX = 0.0f;
        float centreY = 0.0f;
        float width = 0.0f;
        float height = 0.0f;
        float texCoords[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    };

    // The design is not owned and must outlive the preview.
    explicit GUI_DesignPreview(const SIM_VehicleDesign* design);

    // Makes the picture for the current rectangle, painted (r, g, b). The caller places the preview
    // first; a preview is built once (owners make a new one when they move it).
    void Build(int r, int g, int b);
    // The outline, then every layer in order.
    void Draw() override;

    const std::vector<CTexturedSprite>& GetSprites() const { return m_sprites; }

    // A layer's picture: from the definition when it was found in the atlases as the definitions
    // loaded, else from the atlas table by the layer's sprite name; false when neither knows it.
    static bool FindLayerPicture(const SIM_ComponentLayer& layer, LayerPicture& out);

private:
    const SIM_VehicleDesign* m_design; // not owned
    std::vector<CTexturedSprite> m_sprites;
};
