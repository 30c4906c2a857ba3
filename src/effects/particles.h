// Particles: sparks, outward streaks, expanding rings and upward sprays of
// glowing dots, spawned by hits, pickups and captions.
#pragma once

#include <cstdint>
#include <list>

struct Stars {
    float x = 0, y = 0;
    float xspeed = 0, yspeed = 0;  // step per move, also the drawn streak
    uint32_t color = 0;
    float angle = 0;   // kinds 1 and 3: the speed divisor
    float radius = 0;  // kind 2: frames still to wait; kinds 1 and 3: the speed drawn at spawn
    int life = 0;      // steps left; gone below 0
    int WhatType = 0;  // 0 sparks, 1 outward streaks, 2 rings, 3 upward spray
};

extern std::list<Stars> StarsList;

// Kind 2 makes `count` rings of RingParticles each; the other kinds `count`
// particles. Unknown kinds make nothing.
constexpr int RingParticles = 23;
void SpawnParticles(int x, int y, int count, int kind);

// Draws every particle; move = 1 also moves and ages them.
void UpdateParticles(int move);
