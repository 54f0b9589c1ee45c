// The factory while resource conveyors are being laid: colours fade to a cool grey so the conveyor
// network, drawn normally on top, stands out.
technique Fade
pass P0
[fragment]
void main()
{
    vec4 c = texture(uTexture0, vTexCoord) * vColour;
    float grey = dot(c.rgb, vec3(0.299, 0.587, 0.114));
    vec3 cool = vec3(grey * 0.55, grey * 0.6, grey * 0.7 + 0.05);
    fvOutput(vec4(mix(c.rgb, cool, 0.8), c.a));
}
[end]
