// CGameWnd: the game's one window. It owns the pictures; everything else a game needs lives in
// GameWorld. Its operations are spread over the folders of their concern: construction and the
// message map in app/, the tick, hazards and input in game/, the painters in render/ and the
// game-over flow in scores/.
#pragma once

#include "framework/frame_wnd.h"
#include "framework/gdi_objects.h"
#include "render/sprite.h"

class CGameWnd : public CFrameWnd {
  public:
    // Creates the hidden window, plays the start sound, runs the splash, loads the pictures and
    // seeds the generator. The application shows the window afterwards.
    CGameWnd();
    ~CGameWnd() override;

    // The tick (game/tick.cpp).
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void UpdateRiver();
    void UpdateRoad();

    // Hazards, the door and the cookie (game/hazards.cpp).
    void UpdateCookie();
    void CheckVehicles();
    void CheckRiver();
    void CheckGoal();

    // Keys, clicks and the end of a round (game/input.cpp); the About box (app/).
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT character, UINT repeat, UINT flags);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void SettleRound();

    // The scene (render/).
    void DrawBackground();
    void DrawLawn();
    void DrawFootpath();
    void DrawPlayer();

    // The end of a game and the high-score table (scores/).
    void GameOver();
    void ShowHighScores();
    void LoadHighScores();
    void SaveHighScore();

  private:
    // The scene moved on once more, with the picture of how the round ended on top, `dy` below
    // where the player is after that move (a river object may carry him once more).
    void ShowRoundEnd(CSprite& picture, int dy, COLORREF key);

    CSprite m_Player;
    CSprite m_Squished;
    CSprite m_Drowned;
    CSprite m_Splat;
    CBitmap m_Sky;
    CBitmap m_Car1;
    CBitmap m_Car2;
    CBitmap m_Bus;
    CBitmap m_Semi;
    CBitmap m_Truck;
    CBitmap m_Log;
    CBitmap m_Mower;
    CBitmap m_Cookie;
    CBitmap m_BigLog;
    CBitmap m_Lily1;
    CBitmap m_Lily2;
    CBitmap m_BurntHouse;

    DECLARE_MESSAGE_MAP()
};
