#version 150
// A night sky of drifting stars over a horizon glow. The editor's free camera
// pans and rolls it.
uniform float beat;
uniform vec2 resolution;
uniform vec3 camera_position;
uniform vec3 camera_rotation;
uniform float glow;
out vec4 c;

float hash(vec2 p) { return fract(sin(dot(p, vec2(127.1, 311.7))) * 43758.5453); }

void main() {
    vec2 uv = (gl_FragCoord.xy - 0.5 * resolution) / resolution.y;
    float roll = camera_rotation.z;
    uv = mat2(cos(roll), -sin(roll), sin(roll), cos(roll)) * uv + camera_position.xy;
    vec3 colour = mix(vec3(0.02, 0.02, 0.08), vec3(0.25, 0.12, 0.35), glow * exp(-4.0 * (uv.y + 0.5)));
    vec2 grid = uv * 60.0 + vec2(beat * 0.4, 0.0);
    vec2 cell = floor(grid);
    float twinkle = 0.5 + 0.5 * sin(beat * 3.0 + hash(cell + 1.0) * 6.28);
    float star = step(0.97, hash(cell)) * twinkle * smoothstep(0.25, 0.0, length(fract(grid) - 0.5));
    c = vec4(colour + vec3(star), 1.0);
}
