// Car paint: the vertex colour laid over a grey or white "colour" layer. Light parts of the layer
// lighten the paint and dark parts shade it, so the layer's shading survives any colour.
technique Paint
pass P0
[fragment]
void main()
{
    vec4 layer = texture(uTexture0, vTexCoord);
    vec3 base = layer.rgb;
    vec3 paint = vColour.rgb;
    vec3 low = 2.0 * base * paint;
    vec3 high = 1.0 - 2.0 * (1.0 - base) * (1.0 - paint);
    vec3 mixed = mix(low, high, step(0.5, base));
    fvOutput(vec4(mixed, layer.a * vColour.a));
}
[end]
