#version 150
// The loader picture: the logo's dark parts in grey, filled from the bottom in
// yellow, with a white band along a wavy top, as far as the load has come.
#define mainImage(X, Y) main()
#define iResolution resolution
#define iTime beat
#define fragCoord gl_FragCoord.xy
#define iChannel0 tex

uniform int sound;
uniform float beat;
uniform float read;
uniform float total;
uniform sampler2D tex;
uniform vec2 resolution;
const vec2 iMouse = vec2(0.0, 0.0);
out vec4 fragColor;

void mainImage(out vec4 fragColor, in vec2 fragCoord) {
    vec2 uv = fragCoord / iResolution;
    float aspect = iResolution.x / iResolution.y;
    // The logo keeps its proportions, centred across the width.
    uv.x = (uv.x - 0.5) * aspect + 0.5;
    fragColor = vec4(0.0, 0.0, 0.0, 1.0);

    // An empty project has nothing to load: no fill, rather than whatever 0 / 0 gives.
    float progress = total > 0.0 ? read / total : 0.0;
    // The fill rises during the first half of the load and falls back during the second.
    progress = progress <= 0.5 ? progress * 2.0 : (1.0 - progress) * 2.0;

    if (uv.x < 0.0 || uv.x > 1.0)
        return;
    bool dark = texture(iChannel0, vec2(uv.x, 1.0 - uv.y)).r < 0.5;
    if (uv.y < progress) {
        uv.y += 0.02 * sin(uv.x * 10.0);
        if (dark)
            fragColor = uv.y < progress - 0.2 ? vec4(1.0, 1.0, 0.0, 1.0) : vec4(1.0);
    } else if (dark) {
        fragColor = vec4(0.5, 0.5, 0.5, 1.0);
    }
}
