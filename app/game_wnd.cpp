// The main window's construction, the start-up sequence and its message map.
#include "app/game_wnd.h"

#include "app/dialogs.h"
#include "game/game_world.h"

namespace {
constexpr RECT kWindowRect = {0, 0, 800, 600};  // the outer edge, frame and title included
}  // namespace

BEGIN_MESSAGE_MAP(CGameWnd, CFrameWnd)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CGameWnd::CGameWnd() {
    Create(nullptr, "Grommelin Quibbert's Zandrofel", WS_OVERLAPPEDWINDOW, kWindowRect);
    sndPlaySoundA("giggle", SND_SYNC);
    // Not yet the application's main window, so the splash has no owner. However it ends,
    // the start-up goes on; it goes with the constructor.
    CSplashDlg splash;
    splash.DoModal();
    m_Sky.LoadBitmap("sky");
    m_Player.LoadBitmap("smallquibbert");
    m_Squished.LoadBitmap("squished");
    m_Car1.LoadBitmap("car1");
    m_Car2.LoadBitmap("car2");
    m_Bus.LoadBitmap("bus");
    m_Semi.LoadBitmap("semi");
    m_Truck.LoadBitmap("truck");
    m_Mower.LoadBitmap("mower");
    m_Log.LoadBitmap("log");
    m_BigLog.LoadBitmap("biglog");
    m_Lily1.LoadBitmap("lilly1");
    m_Lily2.LoadBitmap("lilly2");
    m_Drowned.LoadBitmap("drown");
    m_Splat.LoadBitmap("splat");
    m_BurntHouse.LoadBitmap("burnt_house");
    m_Cookie.LoadBitmap("cookie");
    // Taken after the splash, so the seed depends on when the player pressed "PLAY!".
    platform::srand(static_cast<unsigned int>(platform::time(nullptr)));
}

// The pictures go in the reverse of their declaration order, each deleting its bitmap.
CGameWnd::~CGameWnd() = default;

void CGameWnd::OnRButtonDown(UINT, CPoint) {
    // The timers are left alone: the game goes on behind the box.
    CAboutDlg about;
    about.DoModal();
}
