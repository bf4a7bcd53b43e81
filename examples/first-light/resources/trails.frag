#version 150
// A dot circling the centre on the beat, leaving trails: the effect's previous
// picture (unit 0) is drawn again slightly zoomed and faded by "decay". Opaque,
// so its picture is its own whatever lies below it.
uniform float beat;
uniform vec2 resolution;
uniform sampler2D tex;
uniform float decay;
out vec4 c;

void main() {
    vec2 uv = gl_FragCoord.xy / resolution;
    // Less a step, so that dim trails reach black instead of stalling at 8 bits.
    vec3 previous = max(texture(tex, (uv - 0.5) * 0.985 + 0.5).rgb * decay - 2.0 / 255.0, 0.0);
    vec2 aspect = vec2(resolution.x / resolution.y, 1.0);
    vec2 dot = vec2(0.5) + 0.3 * vec2(cos(beat * 1.5708), sin(beat * 1.5708)) / aspect;
    float light = smoothstep(0.03, 0.0, length((uv - dot) * aspect));
    c = vec4(max(previous, vec3(1.0, 0.8, 0.3) * light), 1.0);
}
