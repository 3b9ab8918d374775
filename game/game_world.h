// The process-wide game record: every position, counter and colour of a running game. There is
// one, made with these values when the program starts and changed in place from then on.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// How the current round stands. Stored and compared as a plain integer; 3 is never used.
enum PlayState : int32_t {
    kDrowned = 0,
    kPlaying = 1,
    kRunOver = 2,
    kSplatted = 4,
    kReachedHome = 5,
    kHouseBurnt = 6,
};

// Which river object carries the player.
enum RideLane : int32_t {
    kRideNothing = 0,
    kRideLog = 1,
    kRideBigLog = 2,
    kRideLily1 = 3,
    kRideLily2 = 4,
};

// The motion timer (the system's shortest interval) and the round's clock.
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT_PTR kClockTimer = 2;
constexpr UINT kTickInterval = 0;
constexpr UINT kClockInterval = 800;

struct GameWorldRecord {
    int32_t TimeLeft = 15;
    int32_t Lives = 4;
    int32_t State = kPlaying;
    int32_t PlayerX = 405, PlayerY = 505;
    int32_t Car1X = 750, Car1Y = 475;
    int32_t Car2X = 0, Car2Y = 415;
    int32_t BusX = 200, BusY = 410;
    int32_t SemiX = 500, SemiY = 460;
    int32_t MowerX = 200, MowerY = 460;
    int32_t TruckX = 600, TruckY = 415;
    int32_t LogX = 750, LogY = 375;
    int32_t BigLogX = 250, BigLogY = 375;
    int32_t Lily1X = 0, Lily1Y = 325;
    int32_t Lily2X = 500, Lily2Y = 325;
    int32_t Ride = kRideNothing;
    int32_t Score = 0;
    int32_t CookieTime = 0;
    int32_t CookieX = 0, CookieY = 0;
    // x of earlier splats on the lawn; 0 is a free slot.
    int32_t SplatMarks[3] = {0, 0, 0};

    // Colours as the drawing calls take them (0x00BBGGRR).
    COLORREF RoadColour = 0x000000;
    COLORREF RiverColour = 0xFF0000;
    COLORREF StripeColour = 0x00FFFF;
    COLORREF GreyColour = 0xA0A0A0;
    COLORREF FootpathColour = 0xFFFFFF;
    COLORREF RoofColour = 0x253354;
    COLORREF WallColour = 0xA73630;
    COLORREF WindowColour = 0x91574F;
    COLORREF DoorColour = 0x6F091B;
    COLORREF LawnColour = 0x008000;
    COLORREF SunColour = 0x17CCC8;
};

extern GameWorldRecord GameWorld;
