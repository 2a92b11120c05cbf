#pragma once
// Controls of the frame's template 8500 that more than one of the frame's files names.
namespace qx4t::frame {

inline constexpr int kNext = 8011;
inline constexpr int kBack = 8010;
inline constexpr int kTop = 8012;
// Step markers 8000..8004, step labels 8005..8009 (one per page 8501..8505), decorations.
inline constexpr int kFirstStepMarker = 8000;
inline constexpr int kFirstStepLabel = 8005;
inline constexpr int kLastStepLabel = 8009;
inline constexpr int kFirstStepPage = 8501;
inline constexpr int kFirstDecoration = 8029;
inline constexpr int kLastDecoration = 8032;

}  // namespace qx4t::frame
