// The prop under the pointer in the task editor: brightened so it reads as selected.
technique Highlight
pass P0
[fragment]
void main()
{
    vec4 c = texture(uTexture0, vTexCoord) * vColour;
    fvOutput(vec4(min(c.rgb * 1.35 + vec3(0.12), vec3(1.0)), c.a));
}
[end]
