// The painters of the fixed scene and the player. Each makes its own client DC and its own
// brushes and pens, and leaves nothing behind but pixels.
#include "app/game_wnd.h"
#include "framework/client_dc.h"
#include "game/game_world.h"
#include "render/drawing_tools.h"

namespace {

constexpr COLORREF kWhiteKey = RGB(255, 255, 255);

}  // namespace

void CGameWnd::DrawBackground() {
    CClientDC dc(this);
    PlainCopier copier(dc);
    const GameWorldRecord& world = GameWorld;

    // The sky copy is taller than the picture; the bands below cover the rest.
    copier.Copy(m_Sky, 0, 0, 800, 400);
    {
        SolidFill fill(dc, world.LawnColour);
        dc.Rectangle(0, 275, 800, 300);
    }
    // Short strokes standing on the strip's top edge.
    for (int i = 0; i < 158; ++i) {
        int x = 5 * i;
        dc.MoveTo(x, 275);
        dc.LineTo(x, 270);
    }
    {
        SolidFill fill(dc, world.WallColour);
        dc.Rectangle(225, 100, 600, 300);
    }
    {
        SolidFill fill(dc, world.DoorColour);
        dc.Rectangle(375, 225, 425, 300);
    }
    {
        SolidFill fill(dc, world.WindowColour);
        dc.Rectangle(270, 150, 325, 200);
        dc.Rectangle(270, 225, 325, 275);
        dc.Rectangle(486, 225, 545, 275);
        dc.Rectangle(486, 150, 545, 200);
    }
    {
        SolidFill fill(dc, world.RoofColour);
        const POINT roof[] = {{400, 0}, {225, 100}, {600, 100}};
        dc.Polygon(roof, 3);
    }
    {
        SolidFill fill(dc, world.SunColour);
        dc.Ellipse(700, 50, 725, 75);
        dc.Ellipse(405, 250, 420, 265);  // the door knob
    }
    {
        SolidFill fill(dc, world.GreyColour);
        dc.Ellipse(360, 120, 440, 180);
    }
    dc.TextOut(10, 1, "TIME LEFT:", 10);
    dc.TextOut(10, 20, "LIVES:", 6);
    dc.TextOut(10, 40, "SCORE:", 6);
}

void CGameWnd::DrawLawn() {
    CClientDC dc(this);
    const GameWorldRecord& world = GameWorld;
    {
        // The right piece stops one short of the full strip's edge.
        SolidFill fill(dc, world.LawnColour);
        dc.Rectangle(0, 275, 226, 300);
        dc.Rectangle(600, 275, 799, 300);
    }
    {
        // Outlined in the wall's own colour, so the house's lower edges lose their black line.
        SolidPen pen(dc, world.WallColour);
        SolidFill fill(dc, world.WallColour);
        dc.Rectangle(225, 250, 375, 300);
        dc.Rectangle(425, 250, 600, 300);
    }
    {
        SolidFill fill(dc, world.WindowColour);
        dc.Rectangle(486, 225, 545, 275);
        dc.Rectangle(270, 225, 325, 275);
    }
    {
        SolidFill fill(dc, world.DoorColour);
        dc.Rectangle(375, 225, 425, 300);
    }
    {
        SolidFill fill(dc, world.SunColour);
        dc.Ellipse(405, 250, 420, 265);
    }
    for (int32_t mark : world.SplatMarks) {
        if (mark > 0) m_Splat.DrawTransparent(&dc, mark, 245, kWhiteKey);
    }
}

void CGameWnd::DrawFootpath() {
    CClientDC dc(this);
    {
        SolidFill fill(dc, GameWorld.FootpathColour);
        dc.Rectangle(0, 500, 800, 600);
    }
    for (int i = 0; i < 16; ++i) {
        int x = 50 * i;
        dc.MoveTo(x, 500);
        dc.LineTo(x, 600);
    }
}

void CGameWnd::DrawPlayer() {
    CClientDC dc(this);
    m_Player.DrawTransparent(&dc, GameWorld.PlayerX, GameWorld.PlayerY, kWhiteKey);
}
