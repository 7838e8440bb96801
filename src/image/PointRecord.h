#pragma once
// Point records, multi relay bitmaps and the two gateway-wide settings, laid
// over the configuration image. Accessors store list indices as they come;
// keeping them in range is the caller's work.
#include <cstdint>

namespace modLumentorMGW {

constexpr int32_t ResendFlagAddress = 4096;
constexpr int32_t TimeoutCodeAddress = 4097;
constexpr int32_t MultiRelayPoints = 50;   // points 001 to 050 own a bitmap
constexpr int16_t BitmapNodeSlots = 256;
constexpr int16_t RelaysPerNode = 64;
// Where the bitmaps lie: 2048 cells a point (8 a node slot), points 001 to
// 032 in bank 1 from cell 0, points 033 to 050 in bank 0 from cell 28672.
constexpr int32_t BitmapCellsPerPoint = 2048;
constexpr int32_t Bank1BitmapPoints = 32;
constexpr int32_t Bank0BitmapStart = 28672;

int16_t GetPointType(int16_t p);
void SetPointType(int16_t p, int16_t value);
int16_t GetPointNode(int16_t p);
void SetPointNode(int16_t p, int16_t value);
int16_t GetPointRelay(int16_t p);
void SetPointRelay(int16_t p, int16_t value);
int16_t GetPointNumber(int16_t p);
void SetPointNumber(int16_t p, int16_t value);

// Refused (false / no change) for p outside 0..49, n outside 0..255 or r
// outside 0..63: there is no bitmap to touch.
bool GetRelayBit(int32_t p, int16_t n, int16_t r);
void SetRelayBit(int32_t p, int16_t n, int16_t r, bool state);
// The whole cell holding relays r to r + 7 of node n (r a multiple of 8),
// for readers that count relays a cell at a time; 0 where GetRelayBit refuses.
int16_t GetRelayCell(int32_t p, int16_t n, int16_t r);
// Writes that whole cell, for writers that replace a bitmap a cell at a
// time; refused where GetRelayCell gives 0.
void SetRelayCell(int32_t p, int16_t n, int16_t r, int16_t value);

int16_t GetResendFlag();
void SetResendFlag(int16_t value);
int16_t GetTimeoutCode();
void SetTimeoutCode(int16_t value);

} // namespace modLumentorMGW
