#include "light.h"

Col studioEnvironment(V3 d) {
    Col sky{0.75, 0.82, 0.95}, floor{0.08, 0.07, 0.07}, horizon{0.35, 0.33, 0.32};
    double t = d.y;
    Col base = t > 0 ? mix(horizon, sky, smoothstep(0.0, 0.8, t)) : mix(horizon, floor, smoothstep(0.0, 0.5, -t));
    // Soft box: a bright rounded window toward the key light.
    V3 w = normalize(V3{-0.5, 0.6, 0.62});
    double c = dot(normalize(d), w);
    double box = smoothstep(0.93, 0.97, c);
    return base + Col{1.6, 1.6, 1.55} * box;
}
