#version 150
// A full-screen flash of colour "hue" fading with "strength".
uniform float hue;
uniform float strength;
out vec4 c;

void main() {
    vec3 colour = clamp(abs(mod(hue * 6.0 + vec3(0.0, 4.0, 2.0), 6.0) - 3.0) - 1.0, 0.0, 1.0);
    c = vec4(colour, 0.6 * strength);
}
