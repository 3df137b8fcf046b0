#pragma once
// The steps of the keyboard's own light modes, by family, and the wave
// fronts, key reactions and audio input they share.
#include "devices/keyboard_effect_state.h"

namespace q31::devices {

// Wave fronts over the grid.
void SeedWaveLights(KeyboardEffectFrame& frame);
void SpreadWaveDiagonal(KeyboardEffectState& state);
void SpreadWaveHorizontal(KeyboardEffectState& state);
// A press sets the light's row bit in its column in all four planes; a
// release, or a light without a grid cell, does nothing.
void StartRipple(KeyboardEffectState& state, int light, int kind);

// Colour pictures that need no key presses (1, 2, 3, 5, 6, 11, 12, 17, 18, 19, 24).
bool StepPatternMode(int mode, KeyboardEffectFrame& frame);
// Fades, ripples and random lights (7-10, 13-16, 21, 22, 25).
bool StepReactiveMode(int mode, KeyboardEffectFrame& frame);
// Start actions of modes 13, 15, 16 and 22; false for the others.
bool StartReactiveMode(int mode, KeyboardEffectState& state);
// Key reactions of modes 7, 8, 9 and 25.
void ReactToKey(int mode, KeyboardEffectFrame& frame, int light, int kind);

// Mode 29: the step of the audio mode of the audio settings.
void StepAudio(KeyboardEffectFrame& frame);
// Keeps the delivered bands (at most 25) and zeroes the others; in audio
// mode 2 a beat counts towards the next ripple. Returns the bands kept.
int StoreAudioBands(KeyboardEffectState& state, const int* values, int count, bool rippleMode);
// The ripple accumulator all keyboards share.
int RippleAccumulator();
void SetRippleAccumulator(int value);

}  // namespace q31::devices
