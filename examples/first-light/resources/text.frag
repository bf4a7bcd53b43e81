#version 150
// The caption's font texture (unit 0) across the middle of the screen.
uniform vec2 resolution;
uniform sampler2D tex;
uniform float fade;
out vec4 c;

void main() {
    vec2 uv = gl_FragCoord.xy / resolution;
    vec2 area = vec2((uv.x - 0.1) / 0.8, (0.62 - uv.y) / 0.2);
    bool inside = all(greaterThanEqual(area, vec2(0.0))) && all(lessThanEqual(area, vec2(1.0)));
    float ink = inside ? texture(tex, area).a : 0.0;
    c = vec4(vec3(1.0, 0.95, 0.85), ink * fade);
}
