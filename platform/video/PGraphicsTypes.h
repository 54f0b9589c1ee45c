// Shared vocabulary of the graphics layer: result codes, the one vertex layout, render and sampler
// states, formats and the small records the device hands back. Values follow what the renderer
// above expects from a classic fixed-function device, under our own names.
#pragma once

#include <cstdint>
#include <string>

// Result of a graphics call: 0 is success, negative values are failures. The failure values are the
// ones the renderer's error table names, so a code read back from a log still means the same thing.
using PResult = int32_t;

constexpr PResult PRES_OK = 0;
constexpr PResult PRES_OUTOFVIDEOMEMORY = static_cast<PResult>(0x8876017Cu);
constexpr PResult PRES_WRONGTEXTUREFORMAT = static_cast<PResult>(0x88760818u);
constexpr PResult PRES_UNSUPPORTEDCOLOROPERATION = static_cast<PResult>(0x88760819u);
constexpr PResult PRES_UNSUPPORTEDCOLORARG = static_cast<PResult>(0x8876081Au);
constexpr PResult PRES_UNSUPPORTEDALPHAOPERATION = static_cast<PResult>(0x8876081Bu);
constexpr PResult PRES_UNSUPPORTEDALPHAARG = static_cast<PResult>(0x8876081Cu);
constexpr PResult PRES_DRIVERINTERNALERROR = static_cast<PResult>(0x88760827u);
constexpr PResult PRES_DEVICELOST = static_cast<PResult>(0x88760868u);
constexpr PResult PRES_DEVICENOTRESET = static_cast<PResult>(0x88760869u);
constexpr PResult PRES_NOTAVAILABLE = static_cast<PResult>(0x8876086Au);
constexpr PResult PRES_INVALIDDEVICE = static_cast<PResult>(0x8876086Bu);
constexpr PResult PRES_INVALIDCALL = static_cast<PResult>(0x8876086Cu);
constexpr PResult PRES_DEVICEREMOVED = static_cast<PResult>(0x88760870u);
constexpr PResult PRES_DEVICEHUNG = static_cast<PResult>(0x88760874u);
constexpr PResult PRES_INVALIDDATA = static_cast<PResult>(0x88760B59u);
constexpr PResult PRES_FAIL = static_cast<PResult>(0x80004005u);

inline bool PFailed(PResult r)
{
    return r < 0;
}

// Opaque handle of the game window the device presents to (the platform window layer owns it).
using PWindowHandle = void*;

// The one vertex layout of the renderer: pre-transformed screen position (x, y in pixels, z, rhw),
// a 32-bit ARGB colour (in memory B, G, R, A) and one texture coordinate pair. 28 bytes.
struct PVertex
{
    float x = 0.0f, y = 0.0f, z = 0.0f, rhw = 1.0f;
    uint32_t colour = 0xFFFFFFFFu;
    float u = 0.0f, v = 0.0f;
};
static_assert(sizeof(PVertex) == 28, "the vertex layout is 28 bytes");

// Vertex layout flags (only one combination is used, but the flag word is part of the state sequence).
constexpr uint32_t PFVF_XYZRHW = 0x004;
constexpr uint32_t PFVF_DIFFUSE = 0x040;
constexpr uint32_t PFVF_TEX1 = 0x100;

enum class PFormat : uint32_t
{
    Unknown = 0,
    A8R8G8B8 = 21,
    X8R8G8B8 = 22,
    A8 = 28,
    L8 = 50,
    A8L8 = 51,
    DXT1 = 0x31545844,
    DXT3 = 0x33545844,
    DXT5 = 0x35545844,
};

enum class PRenderState : uint32_t
{
    Lighting,
    CullMode,
    AlphaTestEnable,
    AlphaFunc,
    AlphaRef,
    AlphaBlendEnable,
    SrcBlend,
    DestBlend,
    SeparateAlphaBlendEnable,
    SrcBlendAlpha,
    DestBlendAlpha,
    ScissorTestEnable,
    Count
};

enum PCullMode : uint32_t
{
    PCULL_NONE = 1,
    PCULL_CW = 2,
    PCULL_CCW = 3
};

enum PCompare : uint32_t
{
    PCMP_NEVER = 1,
    PCMP_LESS,
    PCMP_EQUAL,
    PCMP_LESSEQUAL,
    PCMP_GREATER,
    PCMP_NOTEQUAL,
    PCMP_GREATEREQUAL,
    PCMP_ALWAYS
};

enum PBlend : uint32_t
{
    PBLEND_ZERO = 1,
    PBLEND_ONE,
    PBLEND_SRCCOLOR,
    PBLEND_INVSRCCOLOR,
    PBLEND_SRCALPHA,
    PBLEND_INVSRCALPHA,
    PBLEND_DESTALPHA,
    PBLEND_INVDESTALPHA,
    PBLEND_DESTCOLOR,
    PBLEND_INVDESTCOLOR
};

enum class PSamplerState : uint32_t
{
    AddressU,
    AddressV,
    MagFilter,
    MinFilter,
    MipFilter,
    Count
};
enum PTextureAddress : uint32_t
{
    PTADDRESS_WRAP = 1,
    PTADDRESS_MIRROR = 2,
    PTADDRESS_CLAMP = 3
};
enum PTextureFilter : uint32_t
{
    PTEXF_NONE = 0,
    PTEXF_POINT = 1,
    PTEXF_LINEAR = 2
};

enum class PTextureStageState : uint32_t
{
    ColourOp,
    ColourArg1,
    ColourArg2,
    AlphaOp,
    AlphaArg1,
    AlphaArg2,
    Count
};
enum PTextureOp : uint32_t
{
    PTOP_DISABLE = 1,
    PTOP_SELECTARG1 = 2,
    PTOP_SELECTARG2 = 3,
    PTOP_MODULATE = 4
};
enum PTextureArg : uint32_t
{
    PTA_DIFFUSE = 0,
    PTA_CURRENT = 1,
    PTA_TEXTURE = 2
};

enum class PPrimitive : uint32_t
{
    LineList = 2,
    LineStrip = 3,
    TriangleList = 4,
    TriangleStrip = 5,
    TriangleFan = 6
};

// Lock flags of dynamic buffers.
constexpr uint32_t PLOCK_DISCARD = 0x2000;
constexpr uint32_t PLOCK_NOOVERWRITE = 0x1000;

// Number of vertices a primitive count covers.
inline int PVertexCountFor(PPrimitive type, int primitives)
{
    switch (type)
    {
    case PPrimitive::LineList:
        return primitives * 2;
    case PPrimitive::LineStrip:
        return primitives + 1;
    case PPrimitive::TriangleList:
        return primitives * 3;
    case PPrimitive::TriangleStrip:
    case PPrimitive::TriangleFan:
        return primitives + 2;
    }
    return 0;
}

struct PDisplayMode
{
    uint32_t width = 0, height = 0, refreshRate = 0, format = 0;
};

struct PViewport
{
    uint32_t x = 0, y = 0, width = 0, height = 0;
    float minZ = 0.0f, maxZ = 1.0f;
};

struct PRect
{
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct PAdapterIdentifier
{
    std::string driver;
    std::string description;
    std::string deviceName;
};

constexpr uint32_t PShaderVersion(uint32_t major, uint32_t minor)
{
    return 0xFFFF0000u | (major << 8) | minor;
}

struct PDeviceCaps
{
    bool squareOnly = false;
    bool pow2 = false;
    int numSimultaneousRTs = 0;
    uint32_t pixelShaderVersion = 0;
    bool hwTransformAndLight = false;
    int maxTextureSize = 0;
};

struct PPresentParams
{
    uint32_t backBufferWidth = 0;
    uint32_t backBufferHeight = 0;
    PFormat backBufferFormat = PFormat::Unknown;
    uint32_t backBufferCount = 0;
    bool windowed = false;
    bool depthStencil = false;
    bool vsync = false;
    PWindowHandle window = nullptr;
};

struct PLockedRect
{
    int pitch = 0;
    void* bits = nullptr;
};
