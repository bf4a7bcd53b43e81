#version 150
// The music's spectrum as bars from the bottom, brighter the louder it plays.
uniform vec2 resolution;
uniform int sound;
uniform sampler2D sound_texture;
uniform float height;
out vec4 c;

void main() {
    vec2 uv = gl_FragCoord.xy / resolution;
    float column = floor(uv.x * 64.0) / 64.0;
    float level = texture(sound_texture, vec2(column * 0.25, 0.25)).r;
    float loud = float(sound) / 32767.0;
    float bar = step(uv.y, level * height) * step(0.15, fract(uv.x * 64.0));
    vec3 colour = mix(vec3(0.1, 0.6, 1.0), vec3(1.0, 0.3, 0.7), uv.y / max(height, 0.01));
    c = vec4(colour * (0.6 + 2.0 * loud), bar * 0.85);
}
