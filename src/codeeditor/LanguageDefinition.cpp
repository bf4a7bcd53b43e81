#include "codeeditor/LanguageDefinition.h"

namespace {

const char* const glslKeywords[] = {
    "attribute", "const", "uniform", "varying", "buffer", "shared", "coherent", "volatile", "restrict", "readonly",
    "writeonly", "layout", "centroid", "flat", "smooth", "noperspective", "patch", "sample", "break", "continue",
    "do", "for", "while", "switch", "case", "default", "if", "else", "subroutine", "in", "out", "inout", "true",
    "false", "invariant", "precise", "discard", "return", "lowp", "mediump", "highp", "precision", "struct",
    "void", "bool", "int", "uint", "float", "double", "vec2", "vec3", "vec4", "dvec2", "dvec3", "dvec4", "bvec2",
    "bvec3", "bvec4", "ivec2", "ivec3", "ivec4", "uvec2", "uvec3", "uvec4", "mat2", "mat3", "mat4", "mat2x2",
    "mat2x3", "mat2x4", "mat3x2", "mat3x3", "mat3x4", "mat4x2", "mat4x3", "mat4x4", "dmat2", "dmat3", "dmat4",
    "sampler1D", "sampler2D", "sampler3D", "samplerCube", "sampler2DShadow", "sampler1DArray", "sampler2DArray",
    "isampler2D", "usampler2D", "sampler2DRect", "samplerBuffer", "image2D"};

const char* const glslIdentifiers[] = {
    "radians", "degrees", "sin", "cos", "tan", "asin", "acos", "atan", "sinh", "cosh", "tanh", "asinh", "acosh",
    "atanh", "pow", "exp", "log", "exp2", "log2", "sqrt", "inversesqrt", "abs", "sign", "floor", "trunc", "round",
    "roundEven", "ceil", "fract", "mod", "modf", "min", "max", "clamp", "mix", "step", "smoothstep", "isnan",
    "isinf", "floatBitsToInt", "floatBitsToUint", "intBitsToFloat", "uintBitsToFloat", "fma", "frexp", "ldexp",
    "packUnorm2x16", "unpackUnorm2x16", "packHalf2x16", "unpackHalf2x16", "length", "distance", "dot", "cross",
    "normalize", "faceforward", "reflect", "refract", "matrixCompMult", "outerProduct", "transpose",
    "determinant", "inverse", "lessThan", "lessThanEqual", "greaterThan", "greaterThanEqual", "equal",
    "notEqual", "any", "all", "not", "bitfieldExtract", "bitfieldInsert", "bitfieldReverse", "bitCount",
    "findLSB", "findMSB", "textureSize", "textureQueryLod", "texture", "textureProj", "textureLod",
    "textureOffset", "texelFetch", "texelFetchOffset", "textureGrad", "textureGather", "texture2D",
    "texture2DLod", "texture3D", "textureCube", "dFdx", "dFdy", "fwidth", "interpolateAtCentroid", "noise1",
    "noise2", "noise3", "noise4", "EmitVertex", "EndPrimitive", "barrier", "gl_FragCoord", "gl_FragColor",
    "gl_FragData", "gl_FragDepth", "gl_FrontFacing", "gl_PointCoord", "gl_Position", "gl_PointSize",
    "gl_VertexID", "gl_InstanceID", "gl_PrimitiveID", "gl_ClipDistance", "gl_SampleID", "gl_SamplePosition"};

LanguageDefinition makeGlsl() {
    LanguageDefinition glsl;
    glsl.name = "GLSL";
    glsl.keywords.insert(std::begin(glslKeywords), std::end(glslKeywords));
    glsl.identifiers.insert(std::begin(glslIdentifiers), std::end(glslIdentifiers));
    return glsl;
}

} // namespace

const LanguageDefinition& LanguageDefinition::glsl() {
    static const LanguageDefinition definition = makeGlsl();
    return definition;
}
