#version 150
// The logo image, centred and square, scaled by "zoom", on black.
uniform vec2 resolution;
uniform sampler2D tex;
uniform float zoom;
out vec4 c;

void main() {
    vec2 uv = (gl_FragCoord.xy - 0.5 * resolution) / resolution.y * 1.6 / zoom + 0.5;
    bool inside = all(greaterThanEqual(uv, vec2(0.0))) && all(lessThanEqual(uv, vec2(1.0)));
    vec4 logo = inside ? texture(tex, vec2(uv.x, 1.0 - uv.y)) : vec4(0.0);
    c = vec4(logo.rgb * logo.a, 1.0);
}
