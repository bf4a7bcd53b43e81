#version 150
// Two input effects under a ring that follows the music's spectrum: the trails
// (unit 0) mirrored into a kaleidoscope turning with "twist", the logo (unit 1)
// in the middle, all laid over the layers below as light.
uniform float beat;
uniform vec2 resolution;
uniform sampler2D tex;
uniform sampler2D tex1;
uniform sampler2D sound_texture;
uniform float twist;
out vec4 c;

void main() {
    vec2 p = (gl_FragCoord.xy - 0.5 * resolution) / resolution.y;
    float angle = atan(p.y, p.x) + twist * 6.2832;
    float slice = 6.2832 / 6.0;
    float folded = abs(mod(angle, slice) - 0.5 * slice);
    vec2 mirrored = length(p) * vec2(cos(folded), sin(folded));
    vec3 trails = texture(tex, 0.5 + mirrored * vec2(resolution.y / resolution.x, 1.0)).rgb;
    vec3 logo = texture(tex1, gl_FragCoord.xy / resolution).rgb;
    float level = texture(sound_texture, vec2(folded / slice * 0.3, 0.25)).r;
    float ring = smoothstep(0.012, 0.0, abs(length(p) - 0.36 - 0.12 * level));
    vec3 light = trails * (0.7 + 0.3 * sin(beat * 3.1416)) + logo + ring * vec3(0.5, 0.8, 1.0);
    c = vec4(light, clamp(max(light.r, max(light.g, light.b)) * 1.5, 0.0, 1.0));
}
