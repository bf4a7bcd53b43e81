#version 150
// An input effect's picture (unit 0) laid over the layers below as light: its
// dark parts let them show through.
uniform vec2 resolution;
uniform sampler2D tex;
out vec4 c;

void main() {
    vec3 light = texture(tex, gl_FragCoord.xy / resolution).rgb;
    c = vec4(light, clamp(max(light.r, max(light.g, light.b)) * 1.5, 0.0, 1.0));
}
