#include "tests/program/soak/foresight.h"

namespace soak {
namespace {

struct Lane {
    int32_t GameWorldRecord::*x;
    int step;
    int wrap_at;  // reached from the side the object moves towards
    int wrap_to;
};

constexpr Lane kLanes[] = {
    {&GameWorldRecord::LogX, -12, -10, 750},  {&GameWorldRecord::BigLogX, -8, -75, 750},
    {&GameWorldRecord::Lily1X, 12, 800, 0},   {&GameWorldRecord::Lily2X, 12, 800, 0},
    {&GameWorldRecord::Car1X, -12, 0, 750},   {&GameWorldRecord::Car2X, 10, 800, 0},
    {&GameWorldRecord::BusX, 5, 850, 0},      {&GameWorldRecord::SemiX, -5, -70, 750},
    {&GameWorldRecord::MowerX, -1, -20, 750}, {&GameWorldRecord::TruckX, 7, 800, 0},
};

struct Box {
    int32_t GameWorldRecord::*x;
    int32_t GameWorldRecord::*y;
    int left, right;
};

constexpr Box kVehicles[] = {
    {&GameWorldRecord::Car1X, &GameWorldRecord::Car1Y, -40, 10},
    {&GameWorldRecord::Car2X, &GameWorldRecord::Car2Y, -10, 40},
    {&GameWorldRecord::TruckX, &GameWorldRecord::TruckY, -10, 40},
    {&GameWorldRecord::BusX, &GameWorldRecord::BusY, -40, 40},
    {&GameWorldRecord::SemiX, &GameWorldRecord::SemiY, -60, 40},
    {&GameWorldRecord::MowerX, &GameWorldRecord::MowerY, -25, 40},
};

struct Float {
    Box box;
    int row_limit;
    int ride;
};

constexpr Float kFloats[] = {
    {{&GameWorldRecord::LogX, &GameWorldRecord::LogY, -50, 20}, 330, kRideLog},
    {{&GameWorldRecord::BigLogX, &GameWorldRecord::BigLogY, -80, 20}, 330, kRideBigLog},
    {{&GameWorldRecord::Lily1X, &GameWorldRecord::Lily1Y, -30, 40}, 305, kRideLily1},
    {{&GameWorldRecord::Lily2X, &GameWorldRecord::Lily2Y, -30, 40}, 305, kRideLily2},
};

bool Within(int32_t value, int32_t low, int32_t high) {
    return low <= value && value <= high;
}

bool Covers(const GameWorldRecord& world, const Box& box, int reach_down) {
    return Within(world.*box.x, world.PlayerX + box.left, world.PlayerX + box.right) &&
           Within(world.*box.y, world.PlayerY, world.PlayerY + reach_down);
}

int Carry(int32_t ride) {
    switch (ride) {
        case kRideLog:
            return -12;
        case kRideBigLog:
            return -8;
        case kRideLily1:
        case kRideLily2:
            return 12;
        default:
            return 0;
    }
}

}  // namespace

Fate AfterTick(GameWorldRecord& world) {
    for (const Lane& lane : kLanes) world.*lane.x += lane.step;
    world.PlayerX += Carry(world.Ride);
    for (const Lane& lane : kLanes) {
        int32_t& x = world.*lane.x;
        if (lane.step < 0 ? x <= lane.wrap_at : x >= lane.wrap_at) x = lane.wrap_to;
    }
    for (const Box& vehicle : kVehicles)
        if (Covers(world, vehicle, 50)) return Fate::kDead;
    world.Ride = kRideNothing;
    for (const Float& ride : kFloats)
        if (Covers(world, ride.box, 60) && world.PlayerY <= ride.row_limit) world.Ride = ride.ride;
    bool in_river = world.PlayerY + 50 <= 400 && world.PlayerY >= 280;
    if (in_river && world.Ride == kRideNothing) return Fate::kDead;
    if (world.PlayerY > 270) return Fate::kAlive;
    return 374 < world.PlayerX && world.PlayerX <= 405 ? Fate::kHome : Fate::kDead;
}

}  // namespace soak
