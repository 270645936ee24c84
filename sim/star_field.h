// The "Universe": a cloud of coloured points recorded once into a display list and drawn three
// times per frame at point sizes 1, 2 and 3.
#pragma once

class StarField {
 public:
  static constexpr unsigned int kNoList = 0xFFFFFFFFu;
  // A point that cannot be placed within this many tries of its placement rule ends the build
  // with the points placed so far: bounds that no point can meet must not hang start-up.
  static constexpr int kMaxAttemptsPerPoint = 100000;

  StarField() : listId(kNoList), pointCount(0) {}
  virtual ~StarField() {}  // the list is left to the end of the process

  void Build(int count, float outer, float inner, int placement);
  // pixelScale: the scene's pixels per window pixel; the points shrink with it, so that a scene
  // drawn smaller and stretched shows stars of the same size.
  void Draw(float pixelScale = 1.0f);
  void Release();

  unsigned int listId;  // all bits set: no list
  int pointCount;       // points recorded by the last Build
};

extern StarField starField;
