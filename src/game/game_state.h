// The shared state of an arcade game, read and written by the arcade flow and
// the combat passes. One instance each, alive for the whole run.
#pragma once

#include <cstdint>
#include <string>

extern int Score;
extern int Level;
extern int StartLevel;
extern int Lives;
extern int Shields;
extern float EarthRadius;
extern float BaseAngle;
extern int PowerupKind;
extern float PowerupTime;
extern float PowerupDecay;
extern int PowerupBarShown;
extern int DoubleBasePending;
extern int ResetPatternAfterPowerup;
extern int FireCooldown;
extern int FireDelay;
extern int MaxPlayerShots;
extern int WaveCount;
extern int WavesSpawned;
extern int BossLevel;
extern int BossBurstRadius;
extern int BossDeathPhase;
extern int BossDeathTimer;
extern int BossPulse;
extern int BigEarthLevel;
extern int BigEarthTarget;
extern int TimeBonus;
extern int SaucerLevel;
extern int SaucersLeft;
extern int LevelFreshStart;
extern int TargetRingTimer;
extern int GameOverState;  // 0 running, 1 ended, 3 quit by the player
extern int ShowFps;
extern int Fps;
extern float FpsFrames;
extern float FpsClock;
extern float TextZoom;
extern int LastScore;
extern int LastLevel;
extern int BestScore;
extern int TopScore;
extern std::string LastPlayerName;

// Combat state that the level set-up and the wave release write and the
// combat passes read.
extern int BaseShieldLook;      // 0 none, 1 absorb shield, 2 deflect shield
extern float EarthGrowPerHit;   // EarthRadius gained per invader shot that lands
extern int EarthShrinkSteps;    // frames of pending shrinking after a deflected kill
extern int SaucersShot;         // saucers shot on this level
extern int SaucerLivesEarned;   // pickups caught on this level
extern int UfoTimer;            // frames until the next UFO may come
extern int IntroFrames;         // frames shown of the current title or result screen
extern int InvaderMovePattern;  // 0..6, see MoveInvader
extern int InvaderFireChance;   // an invader fires when Rand(1, this) = 40
extern int MaxInvaderShots;
extern float EarthShrinkPerKill;

// 0 play; 1 the base has just been destroyed; 2 its wreck has burnt out.
extern int Frozen;
// Field positions of the bases' centres, recorded each time they are drawn.
extern int BaseX, BaseY;
extern int SecondBaseX, SecondBaseY;
